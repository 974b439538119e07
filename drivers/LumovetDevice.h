#pragma once
// The Durimo Lumovet and Durimo Korrest instruments.

#include <memory>

#include "device/JvDevice.h"

namespace Device {

class CLumovetDevice : public CJvDevice {
 public:
  CLumovetDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;
  // Runs the base attach and then switches echo mode off once more.
  bool Attach(std::unique_ptr<StreamIO::CIoStream>& stream, int portKind) override;

 private:
  CString m_serialNumber;
};

}  // namespace Device
