#include "drivers/Durimo3SeDevice.h"

#include "drivers/DriverIdentity.h"

namespace Device {

CDurimo3SeDevice::CDurimo3SeDevice() : CJvDevice(0, u"Durimo 3", 7, 3) {}

std::unique_ptr<CJvDevice> CDurimo3SeDevice::Create() const { return std::make_unique<CDurimo3SeDevice>(); }

bool CDurimo3SeDevice::Identify(SDeviceIdent& ident) {
  return IdentifyByDeviceCode(*this, ident, m_serialNumber);
}

CString CDurimo3SeDevice::GetInfoText() { return DriverInfoText(*this, m_serialNumber); }

const CString& CDurimo3SeDevice::GetSerialNumber() { return m_serialNumber; }

bool CDurimo3SeDevice::FillFirmwareList(CContents& contents) { return NoFirmwareList(contents); }

}  // namespace Device
