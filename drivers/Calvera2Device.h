#pragma once
// The Calvera 3, reached over USB only, through the HID probe list.

#include <memory>

#include "device/JvDevice.h"

namespace Device {

class CCalvera2Device : public CJvDevice {
 public:
  CCalvera2Device();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;
  bool QueryId(SDeviceIdent& ident) override;

  virtual bool GetDeviceInfo(SDeviceInfo& info);

 private:
  SDeviceInfo m_info;
};

}  // namespace Device
