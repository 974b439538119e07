#include "drivers/HallekDevice.h"

#include "drivers/DriverIdentity.h"

namespace Device {

CHallekDevice::CHallekDevice() : CHallekDevice(2, u"SilverHallek", 1, 5) {}

CHallekDevice::CHallekDevice(int type, const CString& displayName, int portMask, BYTE deviceCode)
    : CJvDevice(type, displayName, portMask, deviceCode) {
  m_serialSettings.baud = 38400;
  m_serialSettings.flags = StreamIO::RS232_RTSCTS;
  m_serialSettings.readTimeout = 1000;
  m_serialSettings.writeTimeout = 50;
}

std::unique_ptr<CJvDevice> CHallekDevice::Create() const { return std::make_unique<CHallekDevice>(); }

bool CHallekDevice::Identify(SDeviceIdent& ident) {
  return IdentifyByDeviceCode(*this, ident, m_serialNumber);
}

CString CHallekDevice::GetInfoText() { return DriverInfoText(*this, m_serialNumber); }

const CString& CHallekDevice::GetSerialNumber() { return m_serialNumber; }

bool CHallekDevice::FillFirmwareList(CContents& contents) { return NoFirmwareList(contents); }

bool CHallekDevice::Attach(std::unique_ptr<StreamIO::CIoStream>& stream, int portKind) {
  if (!CJvDevice::Attach(stream, portKind)) return false;
  SetTextMode(false);
  return true;
}

}  // namespace Device
