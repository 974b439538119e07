#include "drivers/SondrelLabDevice.h"

#include "drivers/DriverIdentity.h"

namespace Device {

CSondrelLabDevice::CSondrelLabDevice() : CJvDevice(6, u"Sondrel Lab", 1, 9) {
  m_serialSettings.baud = 115200;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> CSondrelLabDevice::Create() const { return std::make_unique<CSondrelLabDevice>(); }

bool CSondrelLabDevice::Identify(SDeviceIdent& ident) {
  return IdentifyByDeviceCode(*this, ident, m_serialNumber);
}

CString CSondrelLabDevice::GetInfoText() { return DriverInfoText(*this, m_serialNumber); }

const CString& CSondrelLabDevice::GetSerialNumber() { return m_serialNumber; }

bool CSondrelLabDevice::FillFirmwareList(CContents& contents) { return NoFirmwareList(contents); }

}  // namespace Device
