#pragma once
// The Hallek Live rebound hammer.

#include <memory>

#include "device/JvDevice.h"

namespace Device {

class CHallekLiveDevice : public CJvDevice {
 public:
  CHallekLiveDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;

 private:
  CString m_serialNumber;
};

}  // namespace Device
