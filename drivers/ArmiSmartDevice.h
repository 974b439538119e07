#pragma once
// The Armivue rebar locator.

#include <memory>

#include "device/JvDevice.h"

namespace Device {

class CArmiSmartDevice : public CJvDevice {
 public:
  CArmiSmartDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;

 private:
  CString m_serialNumber;
};

}  // namespace Device
