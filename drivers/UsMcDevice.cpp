#include "drivers/UsMcDevice.h"

#include "drivers/DriverIdentity.h"

namespace Device {

CUsMcDevice::CUsMcDevice() : CLiveDevice(18, u"Sondrel Array", 1, 23) {
  m_serialSettings.baud = 115200;
  m_serialSettings.readTimeout = 500;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> CUsMcDevice::Create() const { return std::make_unique<CUsMcDevice>(); }

bool CUsMcDevice::Identify(SDeviceIdent& ident) { return IdentifyByDeviceCode(*this, ident, m_serialNumber); }

CString CUsMcDevice::GetInfoText() { return DriverInfoText(*this, m_serialNumber); }

const CString& CUsMcDevice::GetSerialNumber() { return m_serialNumber; }

bool CUsMcDevice::FillFirmwareList(CContents& contents) { return NoFirmwareList(contents); }

}  // namespace Device
