#pragma once
// The abort flag of the device thread: set from another thread to end a running search or
// transfer; every command layer polls it between the chunks of a transfer.

#include <atomic>

namespace Device {

// True while the flag is set, and always on a device worker that has been retired.
bool IsDeviceThreadAborted();
void SetDeviceThreadAborted(bool aborted);
// Called by a device worker at its start: once `retired` becomes true, that thread's abort
// test stays true, whatever the flag says. The flag must outlive the thread.
void SetThreadRetiredFlag(const std::atomic<bool>* retired);
// True on a device worker that has been given up: whatever it still reports would reach a
// receiver that no longer waits for it.
bool IsThreadRetired();

}  // namespace Device
