#include "drivers/PlatformDevice.h"

#include "drivers/DriverIdentity.h"

namespace Device {

CPlatformDevice::CPlatformDevice() : CJvDevice(10, u"Platform", 6, 13) { m_serialSettings.baud = 19200; }

std::unique_ptr<CJvDevice> CPlatformDevice::Create() const { return std::make_unique<CPlatformDevice>(); }

bool CPlatformDevice::Identify(SDeviceIdent& ident) {
  return IdentifyByDeviceCode(*this, ident, m_serialNumber);
}

CString CPlatformDevice::GetInfoText() { return DriverInfoText(*this, m_serialNumber); }

const CString& CPlatformDevice::GetSerialNumber() { return m_serialNumber; }

bool CPlatformDevice::FillFirmwareList(CContents& contents) { return NoFirmwareList(contents); }

}  // namespace Device
