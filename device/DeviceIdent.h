#pragma once
// The identity texts of an instrument.

#include "platform/base/String.h"

// What an instrument's identify operation returns.
struct SDeviceIdent {
  CString deviceName;
  CString appVersion;
  CString serialNumber;

  SDeviceIdent() = default;
  // Takes the three leading texts of any record that begins with them.
  template <class R>
  SDeviceIdent& operator=(const R& record) {
    deviceName = record.deviceName;
    appVersion = record.appVersion;
    serialNumber = record.serialNumber;
    return *this;
  }
};

namespace Device {

// The identity kept by every device object: the three identify texts plus hardware revision
// and signature (hexadecimal text).
struct SDeviceInfo {
  CString deviceName;
  CString appVersion;
  CString serialNumber;
  CString hardwareRevision;
  CString signature;
};

}  // namespace Device
