#pragma once
// The identity that the Durimo Live Leeb probe, the Hallek Live and the Durimo Live UCI probe
// share: five reply fields (name, hardware revision, serial number, signature, application
// version) and the data of their Bluetooth module. Each of the three classes keeps one of
// these and forwards to it.

#include "device/Contents.h"
#include "device/DeviceIdent.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

namespace Device {

class CJvCommands;

// The identity kept by a live probe.
struct SLiveProbeInfo : SDeviceInfo {
  CString moduleName;
  CString moduleSerial;
  CString moduleVersion;
  CString moduleHardware;
};

class CLiveProbeIdentity {
 public:
  static constexpr BYTE kApplicationMode = 8;

  bool Identify(CJvCommands* commands, BYTE deviceCode, SDeviceIdent& ident);
  // From the stored record while name, version and serial are known, else the "ID" query.
  bool QueryStoredOrApplicationId(CJvCommands* commands, SDeviceIdent& ident);
  CString InfoText() const;
  void FillFirmwareList(CContents& contents) const;
  // The signature read as a number; -1 when it does not read.
  int SignatureCode() const;

  SLiveProbeInfo& Info() { return m_info; }
  BYTE Mode() const { return m_mode; }

 private:
  SLiveProbeInfo m_info;
  BYTE m_mode = kApplicationMode;
};

}  // namespace Device
