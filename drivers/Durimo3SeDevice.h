#pragma once
// The Durimo 3 hardness tester, reached over serial, USB and IP.

#include <memory>

#include "device/JvDevice.h"

namespace Device {

class CDurimo3SeDevice : public CJvDevice {
 public:
  CDurimo3SeDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;

 private:
  CString m_serialNumber;
};

}  // namespace Device
