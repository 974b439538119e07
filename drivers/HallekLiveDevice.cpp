#include "drivers/HallekLiveDevice.h"

#include "drivers/DriverIdentity.h"

namespace Device {

CHallekLiveDevice::CHallekLiveDevice() : CJvDevice(20, u"Hallek Live", 1, 26) {
  m_serialSettings.baud = 115200;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 1000;
}

std::unique_ptr<CJvDevice> CHallekLiveDevice::Create() const { return std::make_unique<CHallekLiveDevice>(); }

bool CHallekLiveDevice::Identify(SDeviceIdent& ident) {
  return IdentifyByDeviceCode(*this, ident, m_serialNumber);
}

CString CHallekLiveDevice::GetInfoText() { return DriverInfoText(*this, m_serialNumber); }

const CString& CHallekLiveDevice::GetSerialNumber() { return m_serialNumber; }

bool CHallekLiveDevice::FillFirmwareList(CContents& contents) { return NoFirmwareList(contents); }

}  // namespace Device
