#pragma once
// What the instrument classes of this library share until each speaks its own protocol: an
// identity taken from the device-code request and the "ID" query, and a plain information text.

#include "device/Contents.h"
#include "device/DeviceIdent.h"
#include "device/JvDevice.h"

namespace Device {

// True when the instrument reports the class's device code and answers "ID" with name,
// version and serial number; the serial number is kept in `serialNumber`.
bool IdentifyByDeviceCode(CJvDevice& device, SDeviceIdent& ident, CString& serialNumber);
// The display name and the kept serial number, one a line.
CString DriverInfoText(CJvDevice& device, const CString& serialNumber);
// These classes do not report their firmware contents: the list is emptied and false returned.
bool NoFirmwareList(CContents& contents);

}  // namespace Device
