#include "drivers/LiveProbeDevice.h"

#include "device/streamio/IoStream.h"

namespace Device {

CLiveProbeDevice::CLiveProbeDevice(const SLiveProbeClass& probeClass)
    : CJvDevice(probeClass.type, probeClass.displayName, 1, probeClass.deviceCode),
      m_update(probeClass.leebProbe, probeClass.verifyAfterData),
      m_identity(probeClass.resetWord, probeClass.defaultSerial) {
  m_serialSettings.baud = probeClass.baud;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 1000;
}

bool CLiveProbeDevice::Identify(SDeviceIdent& ident) {
  if (!GetStream() || !GetStream()->IsOpen()) return false;
  return m_identity.Identify(Commands(), GetExpectedDeviceCode(), ident);
}

CString CLiveProbeDevice::GetInfoText() { return m_identity.InfoText(); }

CString CLiveProbeDevice::GetDeviceInfoPairs() {
  // Before anything was identified the pairs name the instrument class only.
  return m_identity.Info().deviceName.IsEmpty() ? CJvDevice::GetDeviceInfoPairs() : m_identity.InfoPairs();
}

bool CLiveProbeDevice::QueryLoginCapability() { return true; }

const CString& CLiveProbeDevice::GetSerialNumber() { return m_identity.Info().serialNumber; }

bool CLiveProbeDevice::FillFirmwareList(CContents& contents) {
  SDeviceIdent ident;
  if (m_identity.Info().signature.IsEmpty() && !Identify(ident)) return false;
  m_identity.FillFirmwareList(contents);
  return true;
}

bool CLiveProbeDevice::QueryId(SDeviceIdent& ident) {
  if (!Commands()) return false;
  return m_identity.QueryStoredOrApplicationId(Commands(), ident) || Identify(ident);
}

int CLiveProbeDevice::GetDeviceCode() {
  if (!Commands()) return -1;
  SDeviceIdent ident;
  if (m_identity.Info().signature.IsEmpty() && !Identify(ident)) return -1;
  return m_identity.SignatureCode();
}

bool CLiveProbeDevice::QueryCapability() { return true; }

int CLiveProbeDevice::UpdateInit(const CPackageHeader& header) {
  return m_update.Init(*this, Commands(), Callback(), m_identity, header);
}

int CLiveProbeDevice::UpdateSetMode(const CPackageHeader&, const SBlockRecord&) {
  return UpdateSetModeWithoutRequest();
}

int CLiveProbeDevice::UpdateWriteData(const SBlockRecord& record) {
  return m_update.WriteData(Commands(), record, UpdateWriteProbeData(record));
}

int CLiveProbeDevice::UpdateWriteDataBlock(const SBlockRecord&) { return 0; }

int CLiveProbeDevice::UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord&) {
  return m_update.Exit(Commands(), m_identity, header);
}

}  // namespace Device
