#pragma once
// The platform, reached over USB and IP.

#include <memory>

#include "device/JvDevice.h"

namespace Device {

class CPlatformDevice : public CJvDevice {
 public:
  CPlatformDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;

 private:
  CString m_serialNumber;
};

}  // namespace Device
