#include "drivers/DurimoDIDDevice.h"

#include "drivers/DriverIdentity.h"

namespace Device {

CDurimoDIDDevice::CDurimoDIDDevice() : CJvDevice(17, u"Durimo Live Leeb Probe", 1, 22) {
  m_serialSettings.baud = 19200;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 1000;
}

std::unique_ptr<CJvDevice> CDurimoDIDDevice::Create() const { return std::make_unique<CDurimoDIDDevice>(); }

bool CDurimoDIDDevice::Identify(SDeviceIdent& ident) {
  return IdentifyByDeviceCode(*this, ident, m_serialNumber);
}

CString CDurimoDIDDevice::GetInfoText() { return DriverInfoText(*this, m_serialNumber); }

const CString& CDurimoDIDDevice::GetSerialNumber() { return m_serialNumber; }

bool CDurimoDIDDevice::FillFirmwareList(CContents& contents) { return NoFirmwareList(contents); }

bool CDurimoDIDDevice::QueryLoginCapability() { return true; }

bool CDurimoDIDDevice::QueryCapability() { return true; }

}  // namespace Device
