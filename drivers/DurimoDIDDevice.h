#pragma once
// The Durimo Live Leeb probe, which needs the cloud sign-in before an update.

#include <memory>

#include "device/JvDevice.h"

namespace Device {

class CDurimoDIDDevice : public CJvDevice {
 public:
  CDurimoDIDDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;
  bool QueryLoginCapability() override;
  bool QueryCapability() override;

 private:
  CString m_serialNumber;
};

}  // namespace Device
