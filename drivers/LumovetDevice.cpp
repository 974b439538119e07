#include "drivers/LumovetDevice.h"

#include "drivers/DriverIdentity.h"

namespace Device {

CLumovetDevice::CLumovetDevice() : CJvDevice(1, u"Durimo Lumovet / Durimo Korrest", 1, 4) {
  m_serialSettings.baud = 38400;
  m_serialSettings.flags = StreamIO::RS232_RTSCTS;
  m_serialSettings.readTimeout = 1000;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> CLumovetDevice::Create() const { return std::make_unique<CLumovetDevice>(); }

bool CLumovetDevice::Identify(SDeviceIdent& ident) {
  return IdentifyByDeviceCode(*this, ident, m_serialNumber);
}

CString CLumovetDevice::GetInfoText() { return DriverInfoText(*this, m_serialNumber); }

const CString& CLumovetDevice::GetSerialNumber() { return m_serialNumber; }

bool CLumovetDevice::FillFirmwareList(CContents& contents) { return NoFirmwareList(contents); }

bool CLumovetDevice::Attach(std::unique_ptr<StreamIO::CIoStream>& stream, int portKind) {
  if (!CJvDevice::Attach(stream, portKind)) return false;
  SetTextMode(false);
  return true;
}

}  // namespace Device
