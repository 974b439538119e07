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

CString CUCILiveDevice::GetDeviceInfoPairs() {
  // Before anything was identified the pairs name the instrument class only.
  return m_identity.Info().deviceName.IsEmpty() ? CJvDevice::GetDeviceInfoPairs() : m_identity.InfoPairs();
}

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

bool CUCILiveDevice::WriteDeviceIdentity(const CString& serial, const CString& hardware,
                                         const CString& serialDate) {
  return m_identity.WriteDeviceIdentity(Commands(), GetExpectedDeviceCode(), serial, hardware, serialDate);
}

bool CUCILiveDevice::ReadSerialDate(CString& text) { return m_identity.ReadSerialDate(Commands(), text); }

bool CUCILiveDevice::SetObeMode(bool on) {
  return CLiveProbeLink::SendWord(Commands(), on ? u"OBE_ON" : u"OBE_OFF");
}

bool CUCILiveDevice::SetOpmMode(bool on) {
  return CLiveProbeLink::WriteWord(Commands(), on ? u"OPM_ON" : u"OPM_OFF");
}

bool CUCILiveDevice::ResetZedo(bool afterLinkLoss, DWORD waitMs) {
  return m_identity.Link().ResetZedo(Commands(), afterLinkLoss, waitMs);
}

bool CUCILiveDevice::WriteModuleIdentity(const CString& serial, const CString& hardware) {
  return m_identity.WriteModuleIdentity(Commands(), GetExpectedDeviceCode(), serial, hardware);
}

CString CUCILiveDevice::SendRawText(const CString& text) {
  return CLiveProbeLink::SendRawText(Commands(), text);
}

int CUCILiveDevice::SendRawBytes(const BYTE* bytes, int count, BYTE* reply, int replySize) {
  return CLiveProbeLink::SendRawBytes(Commands(), bytes, count, reply, replySize);
}

bool CUCILiveDevice::QueryBootloaderIdentity(CString& text) {
  return CLiveProbeIdentity::QueryBootloaderIdentity(Commands(), text);
}

bool CUCILiveDevice::ModuleQuery(const CString& command, CString& text, int tries) {
  return CLiveProbeLink::ModuleQuery(Commands(), command, text, tries);
}

int CUCILiveDevice::UpdateInit(const CPackageHeader& header) {
  return m_update.Init(*this, Commands(), Callback(), m_identity, header);
}

int CUCILiveDevice::UpdateSetMode(const CPackageHeader&, const SBlockRecord&) {
  return UpdateSetModeWithoutRequest();
}

int CUCILiveDevice::UpdateWriteData(const SBlockRecord& record) {
  return m_update.WriteData(Commands(), UpdateWriteProbeData(record));
}

int CUCILiveDevice::UpdateWriteDataBlock(const SBlockRecord&) { return 0; }

int CUCILiveDevice::UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord&) {
  return m_update.Exit(Commands(), m_identity, header);
}

}  // namespace Device
