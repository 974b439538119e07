#include "drivers/Calvera2Device.h"

#include "drivers/DriverIdentity.h"

namespace Device {

CCalvera2Device::CCalvera2Device() : CJvDevice(5, u"Calvera 3", 2, 8) {}

std::unique_ptr<CJvDevice> CCalvera2Device::Create() const { return std::make_unique<CCalvera2Device>(); }

bool CCalvera2Device::Identify(SDeviceIdent& ident) {
  return IdentifyByDeviceCode(*this, ident, m_serialNumber);
}

CString CCalvera2Device::GetInfoText() { return DriverInfoText(*this, m_serialNumber); }

const CString& CCalvera2Device::GetSerialNumber() { return m_serialNumber; }

bool CCalvera2Device::FillFirmwareList(CContents& contents) { return NoFirmwareList(contents); }

}  // namespace Device
