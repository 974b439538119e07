#pragma once
// The Durimo 3 hardness tester, reached over serial, USB and IP.

#include <memory>

#include "device/JvDevice.h"

namespace Device {

// The identity kept by a Durimo 3, with its operating-system data.
struct SDurimo3Info : SDeviceInfo {
  CString osVersion;
  CString localization;
  CString timeZoneId;
};

class CDurimo3SeDevice : public CJvDevice {
 public:
  CDurimo3SeDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;

  virtual bool GetDeviceInfo(SDurimo3Info& info);

 private:
  SDurimo3Info m_info;
};

}  // namespace Device
