#include "drivers/TestBoxDevice.h"

#include "drivers/DriverIdentity.h"

namespace Device {

CTestBoxDevice::CTestBoxDevice() : CJvDevice(13, u"TestBox", 1, 16) {
  m_serialSettings.baud = 115200;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> CTestBoxDevice::Create() const { return std::make_unique<CTestBoxDevice>(); }

bool CTestBoxDevice::Identify(SDeviceIdent& ident) {
  return IdentifyByDeviceCode(*this, ident, m_serialNumber);
}

CString CTestBoxDevice::GetInfoText() { return DriverInfoText(*this, m_serialNumber); }

const CString& CTestBoxDevice::GetSerialNumber() { return m_serialNumber; }

bool CTestBoxDevice::FillFirmwareList(CContents& contents) { return NoFirmwareList(contents); }

}  // namespace Device
