#pragma once
// The instruments on USB, listed by device path for the device search. An empty list with
// success means that no instrument is attached.

#include <vector>

#include "platform/base/String.h"

namespace StreamIO {

// Instruments with the bulk-pipe driver (the USB ids are settings); false when the listing failed.
bool ListUsbHostDevices(std::vector<CString>& paths);
// HID probes of the instrument maker (the vendor id is a setting); false when the listing failed.
bool ListHidProbes(std::vector<CString>& paths);

}  // namespace StreamIO
