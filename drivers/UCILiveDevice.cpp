#include "drivers/UCILiveDevice.h"

#include "drivers/DriverIdentity.h"

namespace Device {

CUCILiveDevice::CUCILiveDevice() : CJvDevice(21, u"Durimo Live UCI Probe", 1, 27) {
  m_serialSettings.baud = 115200;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 1000;
}

std::unique_ptr<CJvDevice> CUCILiveDevice::Create() const { return std::make_unique<CUCILiveDevice>(); }

bool CUCILiveDevice::Identify(SDeviceIdent& ident) {
  return IdentifyByDeviceCode(*this, ident, m_serialNumber);
}

CString CUCILiveDevice::GetInfoText() { return DriverInfoText(*this, m_serialNumber); }

const CString& CUCILiveDevice::GetSerialNumber() { return m_serialNumber; }

bool CUCILiveDevice::FillFirmwareList(CContents& contents) { return NoFirmwareList(contents); }

}  // namespace Device
