#pragma once
// The information text of an instrument that reports name, serial number, application
// version, hardware revision and signature, and nothing more.

#include "device/DeviceIdent.h"
#include "platform/base/String.h"

namespace Device {

CString DeviceInfoText(const SDeviceInfo& info);

}  // namespace Device
