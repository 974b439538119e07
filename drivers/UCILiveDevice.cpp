#include "drivers/UCILiveDevice.h"

namespace Device {

CUCILiveDevice::CUCILiveDevice()
    : CLiveProbeDevice({21, u"Durimo Live UCI Probe", 27, 115200, u"BBoEx", u"UC21-000-0000", false, false}) {
}

std::unique_ptr<CJvDevice> CUCILiveDevice::Create() const { return std::make_unique<CUCILiveDevice>(); }

bool CUCILiveDevice::GetDeviceInfo(SLiveProbeInfo& info) {
  if (&info != &Identity().Info()) info = Identity().Info();
  return true;
}

bool CUCILiveDevice::ReadStatusBit() { return CLiveProbeRequests::ReadStatusBit(*this); }

bool CUCILiveDevice::WriteDeviceIdentity(const CString& serial, const CString& hardware,
                                         const CString& serialDate) {
  return Identity().WriteDeviceIdentity(Commands(), GetExpectedDeviceCode(), serial, hardware, serialDate);
}

bool CUCILiveDevice::WriteHardwareRevision(const CString& text) {
  return !text.IsEmpty() && CLiveProbeLink::WriteWord(Commands(), CString(u"WDHWVe") + text);
}

bool CUCILiveDevice::ReadSerialDate(CString& text) { return Identity().ReadSerialDate(Commands(), text); }

bool CUCILiveDevice::WriteSerialDate(const CString& text) {
  return CLiveProbeLink::WriteWord(Commands(), CString(u"WDSeDa") + text);
}

bool CUCILiveDevice::SetObeMode(bool on) {
  return CLiveProbeLink::SendWord(Commands(), on ? u"OBE_ON" : u"OBE_OFF");
}

bool CUCILiveDevice::SetOpmMode(bool on) {
  return CLiveProbeLink::WriteWord(Commands(), on ? u"OPM_ON" : u"OPM_OFF");
}

bool CUCILiveDevice::ResetZedo(bool afterLinkLoss, DWORD waitMs) {
  return Identity().Link().ResetZedo(Commands(), afterLinkLoss, waitMs);
}

bool CUCILiveDevice::WriteModuleIdentity(const CString& serial, const CString& hardware) {
  return Identity().WriteModuleIdentity(Commands(), GetExpectedDeviceCode(), serial, hardware);
}

bool CUCILiveDevice::WriteModuleHardwareRevision(const CString& text) {
  return !text.IsEmpty() && CLiveProbeLink::WriteWord(Commands(), CString(u"WMHWVe") + text);
}

bool CUCILiveDevice::ReadHexId(CString& text) { return CLiveProbeRequests::ReadHexId(*this, text); }

CString CUCILiveDevice::SendRawText(const CString& text) {
  return CLiveProbeLink::SendRawText(Commands(), text);
}

int CUCILiveDevice::SendRawBytes(const BYTE* bytes, int count, BYTE* reply, int replySize) {
  return CLiveProbeLink::SendRawBytes(Commands(), bytes, count, reply, replySize);
}

int CUCILiveDevice::ReadFrame(BYTE* buffer, int size, int timeoutMs) {
  return CLiveProbeRequests::ReadFrame(Commands(), buffer, size, timeoutMs);
}

bool CUCILiveDevice::QueryBootloaderIdentity(CString& text) {
  return CLiveProbeIdentity::QueryBootloaderIdentity(Commands(), text);
}

bool CUCILiveDevice::ModuleQuery(const CString& command, CString& text, int tries) {
  return CLiveProbeLink::ModuleQuery(Commands(), command, text, tries);
}

}  // namespace Device
