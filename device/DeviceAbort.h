#pragma once
// The abort flag of the device search thread: set from another thread to end a running search
// or transfer; every command layer polls it between the chunks of a transfer.

namespace Device {

bool IsDeviceThreadAborted();
void SetDeviceThreadAborted(bool aborted);

}  // namespace Device
