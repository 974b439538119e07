#include "drivers/TintaraDevice.h"

#include "device/DeviceAbort.h"
#include "device/UpdateErrorCode.h"
#include "drivers/IdentityReply.h"
#include "drivers/SRecordPart.h"
#include "platform/base/FileException.h"
#include "resources/ResourceIds.h"

namespace Device {

CTintaraDevice::CTintaraDevice() : CJvDevice(8, u"Tintara", 1, 11) {
  m_serialSettings.baud = 19200;
  m_serialSettings.readTimeout = 1500;
  m_serialSettings.writeTimeout = 1000;
}

// The instrument is told the link ends; the stream itself goes with the base.
CTintaraDevice::~CTintaraDevice() {
  StreamIO::CIoStream* stream = GetStream();
  if (!stream) return;
  static const char kGoodbye[] = {'C', '0', 'C', '0', 'i'};
  try {
    stream->Write(kGoodbye, int(sizeof kGoodbye));
  } catch (const CFileException&) {
    // The link is going anyway; a failed last word changes nothing for the caller.
  }
}

std::unique_ptr<CJvDevice> CTintaraDevice::Create() const { return std::make_unique<CTintaraDevice>(); }

bool CTintaraDevice::Identify(SDeviceIdent& ident) {
  if (!GetStream() || !GetStream()->IsOpen()) return false;
  return m_loader.Identify(Commands(), GetExpectedDeviceCode(), ident);
}

CString CTintaraDevice::GetInfoText() { return m_loader.InfoText(); }

const CString& CTintaraDevice::GetSerialNumber() { return m_loader.Info().serialNumber; }

bool CTintaraDevice::FillFirmwareList(CContents& contents) {
  SDeviceIdent ident;
  if (m_loader.Info().signature.IsEmpty() && !Identify(ident)) return false;
  m_loader.FillFirmwareList(contents);
  return true;
}

bool CTintaraDevice::QueryId(SDeviceIdent& ident) {
  if (!Commands()) return false;
  return m_loader.QueryApplicationId(Commands(), ident) || Identify(ident);
}

int CTintaraDevice::GetDeviceCode() {
  SDeviceIdent ident;
  if (!Commands() || !Identify(ident)) return 0;
  DWORD signature = 0;
  return CIdentityReply::ReadSignature(m_loader.Info().signature, signature) ? int(signature) : 0;
}

int CTintaraDevice::UpdateInit(const CPackageHeader& header) {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (CJvDevice::UpdateInit(header) != eUpdateOk) return eUpdateNotAttached;
  return m_loader.Init(*this, Commands(), Callback());
}

int CTintaraDevice::UpdateSetMode(const CPackageHeader&, const SBlockRecord&) {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (!Commands()) return eUpdateNotAttached;
  ReportStep(IDS_UPDATE_SET_MODE);
  return eUpdateOk;
}

int CTintaraDevice::UpdateWriteData(const SBlockRecord& record) {
  return CSRecordPart::Write(Commands(), SecondStream(), record, Callback(), GetStepSuffix());
}

int CTintaraDevice::UpdateWriteDataBlock(const SBlockRecord&) { return eUpdateOk; }

int CTintaraDevice::UpdateSetRunMode(const CPackageHeader&, const SBlockRecord&) { return eUpdateOk; }

int CTintaraDevice::UpdateFinish() {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (!Commands()) return eUpdateNotAttached;
  return m_loader.Leave(Commands()) ? CJvDevice::UpdateFinish() : int(eUpdateCommunication);
}

bool CTintaraDevice::GetDeviceInfo(SDeviceInfo& info) {
  if (&info != &m_loader.Info()) info = m_loader.Info();
  return true;
}

bool CTintaraDevice::QueryBootloaderIdentity(CString& text) {
  return m_loader.QueryBootloaderIdentity(Commands(), text);
}

}  // namespace Device
