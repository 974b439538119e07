#include "drivers/OhmiraDevice.h"

#include "drivers/DriverIdentity.h"

namespace Device {

COhmiraDevice::COhmiraDevice() : CJvDevice(7, u"Ohmira", 1, 10) {
  m_serialSettings.baud = 19200;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> COhmiraDevice::Create() const { return std::make_unique<COhmiraDevice>(); }

bool COhmiraDevice::Identify(SDeviceIdent& ident) {
  return IdentifyByDeviceCode(*this, ident, m_serialNumber);
}

CString COhmiraDevice::GetInfoText() { return DriverInfoText(*this, m_serialNumber); }

const CString& COhmiraDevice::GetSerialNumber() { return m_serialNumber; }

bool COhmiraDevice::FillFirmwareList(CContents& contents) { return NoFirmwareList(contents); }

}  // namespace Device
