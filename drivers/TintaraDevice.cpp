#include "drivers/TintaraDevice.h"

#include "drivers/DriverIdentity.h"

namespace Device {

CTintaraDevice::CTintaraDevice() : CJvDevice(8, u"Tintara", 1, 11) {
  m_serialSettings.baud = 19200;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 1000;
}

std::unique_ptr<CJvDevice> CTintaraDevice::Create() const { return std::make_unique<CTintaraDevice>(); }

bool CTintaraDevice::Identify(SDeviceIdent& ident) {
  return IdentifyByDeviceCode(*this, ident, m_serialNumber);
}

CString CTintaraDevice::GetInfoText() { return DriverInfoText(*this, m_serialNumber); }

const CString& CTintaraDevice::GetSerialNumber() { return m_serialNumber; }

bool CTintaraDevice::FillFirmwareList(CContents& contents) { return NoFirmwareList(contents); }

}  // namespace Device
