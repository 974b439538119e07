#include "drivers/CorrectionProbeDevice.h"

namespace Device {
namespace {

constexpr BYTE kWords33 = 33;
constexpr BYTE kWords34 = 34;

}  // namespace

bool CCorrectionProbeDevice::GetDeviceInfo(SLiveProbeInfo& info) {
  if (&info != &Identity().Info()) info = Identity().Info();
  return true;
}

bool CCorrectionProbeDevice::ReadStatusBit() { return CLiveProbeRequests::ReadStatusBit(*this); }

bool CCorrectionProbeDevice::ReadParameterSet(SProbeParameterSet& set) {
  return Requests().ReadParameterSet(*this, Commands(), set);
}

bool CCorrectionProbeDevice::ReadCoVersion(SProbeVersionBlock& block, bool force) {
  return Requests().ReadCoVersion(*this, Commands(), block, force);
}

bool CCorrectionProbeDevice::ReadWords33(SWordTriple& words) {
  return CLiveProbeRequests::ReadWords(*this, kWords33, words);
}

bool CCorrectionProbeDevice::ReadWords34(SWordTriple& words) {
  return CLiveProbeRequests::ReadWords(*this, kWords34, words);
}

bool CCorrectionProbeDevice::WriteCorrectionA(const SWordTriple& words) {
  return CLiveProbeRequests::WriteCorrectionA(Commands(), words);
}

bool CCorrectionProbeDevice::WriteDeviceIdentity(const CString& serial, const CString& hardware,
                                                 const CString& serialDate) {
  return Identity().WriteDeviceIdentity(Commands(), GetExpectedDeviceCode(), serial, hardware, serialDate);
}

bool CCorrectionProbeDevice::ReadSerialDate(CString& text) {
  return Identity().ReadSerialDate(Commands(), text);
}

bool CCorrectionProbeDevice::SetObeMode(bool on) {
  return CLiveProbeLink::SendWord(Commands(), on ? u"OBE_ON" : u"OBE_OFF");
}

bool CCorrectionProbeDevice::SetOtmMode(bool on) {
  return CLiveProbeLink::WriteWord(Commands(), on ? u"OTM_ON" : u"OTM_OFF");
}

bool CCorrectionProbeDevice::ResetZedo(bool afterLinkLoss, DWORD waitMs) {
  return Identity().Link().ResetZedo(Commands(), afterLinkLoss, waitMs);
}

bool CCorrectionProbeDevice::WriteModuleIdentity(const CString& serial, const CString& hardware) {
  return Identity().WriteModuleIdentity(Commands(), GetExpectedDeviceCode(), serial, hardware);
}

bool CCorrectionProbeDevice::ReadHexId(CString& text) { return CLiveProbeRequests::ReadHexId(*this, text); }

CString CCorrectionProbeDevice::SendRawText(const CString& text) {
  return CLiveProbeLink::SendRawText(Commands(), text);
}

int CCorrectionProbeDevice::SendRawBytes(const BYTE* bytes, int count, BYTE* reply, int replySize) {
  return CLiveProbeLink::SendRawBytes(Commands(), bytes, count, reply, replySize);
}

bool CCorrectionProbeDevice::QueryBootloaderIdentity(CString& text) {
  return CLiveProbeIdentity::QueryBootloaderIdentity(Commands(), text);
}

bool CCorrectionProbeDevice::ModuleQuery(const CString& command, CString& text, int tries) {
  return CLiveProbeLink::ModuleQuery(Commands(), command, text, tries);
}

}  // namespace Device
