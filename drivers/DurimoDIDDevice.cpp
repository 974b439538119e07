#include "drivers/DurimoDIDDevice.h"

namespace Device {

CDurimoDIDDevice::CDurimoDIDDevice() : CJvDevice(17, u"Durimo Live Leeb Probe", 1, 22) {
  m_serialSettings.baud = 19200;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 1000;
}

std::unique_ptr<CJvDevice> CDurimoDIDDevice::Create() const { return std::make_unique<CDurimoDIDDevice>(); }

bool CDurimoDIDDevice::Identify(SDeviceIdent& ident) {
  if (!GetStream() || !GetStream()->IsOpen()) return false;
  return m_identity.Identify(Commands(), GetExpectedDeviceCode(), ident);
}

CString CDurimoDIDDevice::GetInfoText() { return m_identity.InfoText(); }

CString CDurimoDIDDevice::GetDeviceInfoPairs() {
  // Before anything was identified the pairs name the instrument class only.
  return m_identity.Info().deviceName.IsEmpty() ? CJvDevice::GetDeviceInfoPairs() : m_identity.InfoPairs();
}

bool CDurimoDIDDevice::QueryLoginCapability() { return true; }

const CString& CDurimoDIDDevice::GetSerialNumber() { return m_identity.Info().serialNumber; }

bool CDurimoDIDDevice::FillFirmwareList(CContents& contents) {
  SDeviceIdent ident;
  if (m_identity.Info().signature.IsEmpty() && !Identify(ident)) return false;
  m_identity.FillFirmwareList(contents);
  return true;
}

bool CDurimoDIDDevice::QueryId(SDeviceIdent& ident) {
  if (!Commands()) return false;
  return m_identity.QueryStoredOrApplicationId(Commands(), ident) || Identify(ident);
}

int CDurimoDIDDevice::GetDeviceCode() {
  if (!Commands()) return -1;
  SDeviceIdent ident;
  if (m_identity.Info().signature.IsEmpty() && !Identify(ident)) return -1;
  return m_identity.SignatureCode();
}

bool CDurimoDIDDevice::QueryCapability() { return true; }

bool CDurimoDIDDevice::GetDeviceInfo(SLiveProbeInfo& info) {
  if (&info != &m_identity.Info()) info = m_identity.Info();
  return true;
}

bool CDurimoDIDDevice::WriteDeviceIdentity(const CString& serial, const CString& hardware,
                                           const CString& serialDate) {
  return m_identity.WriteDeviceIdentity(Commands(), GetExpectedDeviceCode(), serial, hardware, serialDate);
}

bool CDurimoDIDDevice::ReadSerialDate(CString& text) { return m_identity.ReadSerialDate(Commands(), text); }

bool CDurimoDIDDevice::SetObeMode(bool on) {
  return CLiveProbeLink::SendWord(Commands(), on ? u"OBE_ON" : u"OBE_OFF");
}

bool CDurimoDIDDevice::SetOtmMode(bool on) {
  return CLiveProbeLink::WriteWord(Commands(), on ? u"OTM_ON" : u"OTM_OFF");
}

bool CDurimoDIDDevice::ResetZedo(bool afterLinkLoss, DWORD waitMs) {
  return m_identity.Link().ResetZedo(Commands(), afterLinkLoss, waitMs);
}

bool CDurimoDIDDevice::WriteModuleIdentity(const CString& serial, const CString& hardware) {
  return m_identity.WriteModuleIdentity(Commands(), GetExpectedDeviceCode(), serial, hardware);
}

CString CDurimoDIDDevice::SendRawText(const CString& text) {
  return CLiveProbeLink::SendRawText(Commands(), text);
}

int CDurimoDIDDevice::SendRawBytes(const BYTE* bytes, int count, BYTE* reply, int replySize) {
  return CLiveProbeLink::SendRawBytes(Commands(), bytes, count, reply, replySize);
}

bool CDurimoDIDDevice::QueryBootloaderIdentity(CString& text) {
  return CLiveProbeIdentity::QueryBootloaderIdentity(Commands(), text);
}

bool CDurimoDIDDevice::ModuleQuery(const CString& command, CString& text, int tries) {
  return CLiveProbeLink::ModuleQuery(Commands(), command, text, tries);
}

int CDurimoDIDDevice::UpdateInit(const CPackageHeader& header) {
  return m_update.Init(*this, Commands(), Callback(), m_identity, header);
}

int CDurimoDIDDevice::UpdateSetMode(const CPackageHeader&, const SBlockRecord&) {
  return UpdateSetModeWithoutRequest();
}

int CDurimoDIDDevice::UpdateWriteData(const SBlockRecord& record) {
  return m_update.WriteData(Commands(), UpdateWriteProbeData(record));
}

int CDurimoDIDDevice::UpdateWriteDataBlock(const SBlockRecord&) { return 0; }

int CDurimoDIDDevice::UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord&) {
  return m_update.Exit(Commands(), m_identity, header);
}

}  // namespace Device
