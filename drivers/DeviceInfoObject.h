#pragma once
// The device-information object that the newer instruments send as JSON over their other link:
// its string members fill the identity record, and the signature is also read as a number.

#include <string_view>

#include "device/DeviceIdent.h"

namespace Device {

class CDeviceInfoObject {
 public:
  // Takes "device_name", "hw_revision", "device_serial", "device_signature" and "sw_version"
  // when they are strings; other members and other value kinds leave the record as it was.
  // The signature value is 0 when the signature text is no hexadecimal number. False when the
  // text is no JSON object.
  static bool Read(std::string_view json, SDeviceInfo& info, DWORD& signature);
};

}  // namespace Device
