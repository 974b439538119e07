#include "drivers/HallekLiveDevice.h"

namespace Device {

CHallekLiveDevice::CHallekLiveDevice() : CJvDevice(20, u"Hallek Live", 1, 26) {
  m_serialSettings.baud = 115200;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 1000;
}

std::unique_ptr<CJvDevice> CHallekLiveDevice::Create() const { return std::make_unique<CHallekLiveDevice>(); }

bool CHallekLiveDevice::Identify(SDeviceIdent& ident) {
  if (!GetStream() || !GetStream()->IsOpen()) return false;
  return m_identity.Identify(Commands(), GetExpectedDeviceCode(), ident);
}

CString CHallekLiveDevice::GetInfoText() { return m_identity.InfoText(); }

CString CHallekLiveDevice::GetDeviceInfoPairs() {
  // Before anything was identified the pairs name the instrument class only.
  return m_identity.Info().deviceName.IsEmpty() ? CJvDevice::GetDeviceInfoPairs() : m_identity.InfoPairs();
}

bool CHallekLiveDevice::QueryLoginCapability() { return true; }

const CString& CHallekLiveDevice::GetSerialNumber() { return m_identity.Info().serialNumber; }

bool CHallekLiveDevice::FillFirmwareList(CContents& contents) {
  SDeviceIdent ident;
  if (m_identity.Info().signature.IsEmpty() && !Identify(ident)) return false;
  m_identity.FillFirmwareList(contents);
  return true;
}

bool CHallekLiveDevice::QueryId(SDeviceIdent& ident) {
  if (!Commands()) return false;
  return m_identity.QueryStoredOrApplicationId(Commands(), ident) || Identify(ident);
}

int CHallekLiveDevice::GetDeviceCode() {
  if (!Commands()) return -1;
  SDeviceIdent ident;
  if (m_identity.Info().signature.IsEmpty() && !Identify(ident)) return -1;
  return m_identity.SignatureCode();
}

bool CHallekLiveDevice::QueryCapability() { return true; }

bool CHallekLiveDevice::GetDeviceInfo(SLiveProbeInfo& info) {
  if (&info != &m_identity.Info()) info = m_identity.Info();
  return true;
}

bool CHallekLiveDevice::WriteDeviceIdentity(const CString& serial, const CString& hardware,
                                            const CString& serialDate) {
  return m_identity.WriteDeviceIdentity(Commands(), GetExpectedDeviceCode(), serial, hardware, serialDate);
}

bool CHallekLiveDevice::ReadSerialDate(CString& text) { return m_identity.ReadSerialDate(Commands(), text); }

bool CHallekLiveDevice::SetObeMode(bool on) {
  return CLiveProbeLink::SendWord(Commands(), on ? u"OBE_ON" : u"OBE_OFF");
}

bool CHallekLiveDevice::SetOtmMode(bool on) {
  return CLiveProbeLink::WriteWord(Commands(), on ? u"OTM_ON" : u"OTM_OFF");
}

bool CHallekLiveDevice::ResetZedo(bool afterLinkLoss, DWORD waitMs) {
  return m_identity.Link().ResetZedo(Commands(), afterLinkLoss, waitMs);
}

bool CHallekLiveDevice::WriteModuleIdentity(const CString& serial, const CString& hardware) {
  return m_identity.WriteModuleIdentity(Commands(), GetExpectedDeviceCode(), serial, hardware);
}

CString CHallekLiveDevice::SendRawText(const CString& text) {
  return CLiveProbeLink::SendRawText(Commands(), text);
}

int CHallekLiveDevice::SendRawBytes(const BYTE* bytes, int count, BYTE* reply, int replySize) {
  return CLiveProbeLink::SendRawBytes(Commands(), bytes, count, reply, replySize);
}

bool CHallekLiveDevice::QueryBootloaderIdentity(CString& text) {
  return CLiveProbeIdentity::QueryBootloaderIdentity(Commands(), text);
}

bool CHallekLiveDevice::ModuleQuery(const CString& command, CString& text, int tries) {
  return CLiveProbeLink::ModuleQuery(Commands(), command, text, tries);
}

int CHallekLiveDevice::UpdateInit(const CPackageHeader& header) {
  return m_update.Init(*this, Commands(), Callback(), m_identity, header);
}

int CHallekLiveDevice::UpdateSetMode(const CPackageHeader&, const SBlockRecord&) {
  return UpdateSetModeWithoutRequest();
}

int CHallekLiveDevice::UpdateWriteData(const SBlockRecord& record) {
  return m_update.WriteData(Commands(), UpdateWriteProbeData(record));
}

int CHallekLiveDevice::UpdateWriteDataBlock(const SBlockRecord&) { return 0; }

int CHallekLiveDevice::UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord&) {
  return m_update.Exit(Commands(), m_identity, header);
}

}  // namespace Device
