#pragma once
// The SilverHallek rebound hammer, and the base of the paper variant.

#include <memory>

#include "device/JvDevice.h"

namespace Device {

class CHallekDevice : public CJvDevice {
 public:
  CHallekDevice();
  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;
  // Runs the base attach and then switches echo mode off once more.
  bool Attach(std::unique_ptr<StreamIO::CIoStream>& stream, int portKind) override;

 protected:
  // For the instruments built on this one.
  CHallekDevice(int type, const CString& displayName, int portMask, BYTE deviceCode);

 private:
  CString m_serialNumber;
};

}  // namespace Device
