#pragma once
// The Sondrel Array ultrasonic instrument, a live-streaming device.

#include <memory>

#include "drivers/LiveDevice.h"

namespace Device {

class CUsMcDevice : public CLiveDevice {
 public:
  CUsMcDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;

 private:
  CString m_serialNumber;
};

}  // namespace Device
