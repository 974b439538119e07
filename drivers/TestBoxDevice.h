#pragma once
// The test box.

#include <memory>

#include "device/JvDevice.h"

namespace Device {

class CTestBoxDevice : public CJvDevice {
 public:
  CTestBoxDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;

 private:
  CString m_serialNumber;
};

}  // namespace Device
