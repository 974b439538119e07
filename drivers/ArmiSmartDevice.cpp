#include "drivers/ArmiSmartDevice.h"

#include "drivers/DriverIdentity.h"

namespace Device {

CArmiSmartDevice::CArmiSmartDevice() : CJvDevice(3, u"Armivue", 1, 6) {
  m_serialSettings.baud = 19200;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> CArmiSmartDevice::Create() const { return std::make_unique<CArmiSmartDevice>(); }

bool CArmiSmartDevice::Identify(SDeviceIdent& ident) {
  return IdentifyByDeviceCode(*this, ident, m_serialNumber);
}

CString CArmiSmartDevice::GetInfoText() { return DriverInfoText(*this, m_serialNumber); }

const CString& CArmiSmartDevice::GetSerialNumber() { return m_serialNumber; }

bool CArmiSmartDevice::FillFirmwareList(CContents& contents) { return NoFirmwareList(contents); }

}  // namespace Device
