#include "drivers/HumiloDevice.h"

#include "drivers/DriverIdentity.h"

namespace Device {

CHumiloDevice::CHumiloDevice() : CJvDevice(22, u"Humilo", 1, 0) {
  m_serialSettings.baud = 9600;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> CHumiloDevice::Create() const { return std::make_unique<CHumiloDevice>(); }

bool CHumiloDevice::Identify(SDeviceIdent& ident) {
  return IdentifyByDeviceCode(*this, ident, m_serialNumber);
}

CString CHumiloDevice::GetInfoText() { return DriverInfoText(*this, m_serialNumber); }

const CString& CHumiloDevice::GetSerialNumber() { return m_serialNumber; }

bool CHumiloDevice::FillFirmwareList(CContents& contents) { return NoFirmwareList(contents); }

}  // namespace Device
