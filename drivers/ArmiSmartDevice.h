#pragma once
// The Armivue rebar locator.

#include <memory>

#include "device/JvDevice.h"

namespace Device {

class CArmiSmartDevice : public CJvDevice {
 public:
  static constexpr BYTE kApplicationMode = 8;
  static constexpr BYTE kBootLoaderMode = 3;

  CArmiSmartDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;
  bool QueryId(SDeviceIdent& ident) override;
  // The whole signature; 0 when it cannot be had.
  int GetDeviceCode() override;

  virtual bool GetDeviceInfo(SDeviceInfo& info);

 private:
  SDeviceInfo m_info;
  BYTE m_mode = kApplicationMode;
  BYTE m_bootloaderState = 0;
};

}  // namespace Device
