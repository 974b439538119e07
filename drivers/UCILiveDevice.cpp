#include "drivers/UCILiveDevice.h"

namespace Device {

CUCILiveDevice::CUCILiveDevice() : CJvDevice(21, u"Durimo Live UCI Probe", 1, 27) {
  m_serialSettings.baud = 115200;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 1000;
}

std::unique_ptr<CJvDevice> CUCILiveDevice::Create() const { return std::make_unique<CUCILiveDevice>(); }

bool CUCILiveDevice::Identify(SDeviceIdent& ident) {
  if (!GetStream() || !GetStream()->IsOpen()) return false;
  return m_identity.Identify(Commands(), GetExpectedDeviceCode(), ident);
}

CString CUCILiveDevice::GetInfoText() { return m_identity.InfoText(); }

bool CUCILiveDevice::QueryLoginCapability() { return true; }

const CString& CUCILiveDevice::GetSerialNumber() { return m_identity.Info().serialNumber; }

bool CUCILiveDevice::FillFirmwareList(CContents& contents) {
  SDeviceIdent ident;
  if (m_identity.Info().signature.IsEmpty() && !Identify(ident)) return false;
  m_identity.FillFirmwareList(contents);
  return true;
}

bool CUCILiveDevice::QueryId(SDeviceIdent& ident) {
  if (!Commands()) return false;
  return m_identity.QueryStoredOrApplicationId(Commands(), ident) || Identify(ident);
}

int CUCILiveDevice::GetDeviceCode() {
  if (!Commands()) return -1;
  SDeviceIdent ident;
  if (m_identity.Info().signature.IsEmpty() && !Identify(ident)) return -1;
  return m_identity.SignatureCode();
}

bool CUCILiveDevice::QueryCapability() { return true; }

bool CUCILiveDevice::GetDeviceInfo(SLiveProbeInfo& info) {
  if (&info != &m_identity.Info()) info = m_identity.Info();
  return true;
}

}  // namespace Device
