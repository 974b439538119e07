#include "drivers/RockHallekDevice.h"

#include "drivers/DriverIdentity.h"

namespace Device {

CRockHallekDevice::CRockHallekDevice() : CJvDevice(14, u"RockHallek", 1, 17) {
  m_serialSettings.baud = 38400;
  m_serialSettings.flags = StreamIO::RS232_RTSCTS;
  m_serialSettings.readTimeout = 1000;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> CRockHallekDevice::Create() const { return std::make_unique<CRockHallekDevice>(); }

bool CRockHallekDevice::Identify(SDeviceIdent& ident) {
  return IdentifyByDeviceCode(*this, ident, m_serialNumber);
}

CString CRockHallekDevice::GetInfoText() { return DriverInfoText(*this, m_serialNumber); }

const CString& CRockHallekDevice::GetSerialNumber() { return m_serialNumber; }

bool CRockHallekDevice::FillFirmwareList(CContents& contents) { return NoFirmwareList(contents); }

bool CRockHallekDevice::Attach(std::unique_ptr<StreamIO::CIoStream>& stream, int portKind) {
  if (!CJvDevice::Attach(stream, portKind)) return false;
  SetTextMode(false);
  return true;
}

}  // namespace Device
