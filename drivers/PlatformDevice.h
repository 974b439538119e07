#pragma once
// The Platform, reached over USB and IP.

#include <memory>

#include "device/JvDevice.h"

namespace Device {

// The identity kept by a Platform: the signature as a number before its text, then the
// operating-system data.
struct SPlatformInfo {
  CString deviceName;
  CString appVersion;
  CString serialNumber;
  CString hardwareRevision;
  DWORD signatureValue = 0;
  CString signature;
  CString osVersion;
  CString bootloaderVersion;
  CString multimediaVersion;
  CString localization;
  CString timeZoneId;
};

class CPlatformDevice : public CJvDevice {
 public:
  CPlatformDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;
  bool QueryCapability() override;

  virtual bool GetDeviceInfo(SPlatformInfo& info);

 private:
  SPlatformInfo m_info;
};

}  // namespace Device
