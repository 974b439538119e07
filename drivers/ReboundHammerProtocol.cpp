#include "drivers/ReboundHammerProtocol.h"

#include "device/Callback.h"
#include "device/DeviceAbort.h"
#include "device/JvCommands.h"
#include "device/JvDevice.h"
#include "device/PackageHeader.h"
#include "device/UpdateErrorCode.h"
#include "device/streamio/IoStream.h"
#include "drivers/IdentityReply.h"
#include "drivers/InstalledContent.h"
#include "platform/base/FileException.h"
#include "platform/res/StringTable.h"
#include "resources/ResourceIds.h"

namespace Device {
namespace {

constexpr int kDefaultRequestTimeoutMs = 1000;
constexpr int kLumovetShortLimit = 31;
constexpr int kHammerShortLimit = 46;
constexpr BYTE kRawHeader = 0xC1;
constexpr BYTE kBlockReadCode = 0xD0;
constexpr BYTE kBlockReadArgument = 0x30;
constexpr int kBlockSize = 129;
constexpr int kMode24Word = 24;
constexpr int kRunModeWaitFactor = 150;

struct SModelName {
  const char16_t* reported;
  const char16_t* stored;
};

// Exact matches only: "LUMOVET " with its blank stays as reported.
constexpr SModelName kLumovetModels[] = {
    {u"LUMOVET", u"Durimo Lumovet 1"},
    {u"KORREST", u"Durimo Korrest 1"},
    {u"Lumov2 ", u"Durimo Lumovet 2"},
    {u"Korre2 ", u"Durimo Korrest 2"},
};

}  // namespace

bool CReboundHammerProtocol::Identify(CJvCommands* commands, BYTE deviceCode, SDeviceIdent& ident) {
  CString line;
  if (!CIdentityReply::Query(commands, line)) return false;
  const CIdentityReply reply(line);
  if (!reply.ReadLeadingFields(m_info)) return false;
  m_info.bootloaderVersion = reply.Field(CIdentityReply::kSixth);
  if (m_lumovet) {
    for (const SModelName& model : kLumovetModels)
      if (m_info.deviceName == CString(model.reported)) {
        m_info.deviceName = model.stored;
        break;
      }
  }
  ident = m_info;
  DWORD signature = 0;
  if (!CIdentityReply::ReadSignature(m_info.signature, signature)) return false;
  return CIdentityReply::HasLeadingTexts(m_info) && CIdentityReply::CarriesDeviceCode(signature, deviceCode);
}

CString CReboundHammerProtocol::InfoText() const {
  CString text;
  text.Format(ResString(IDS_DEVICE_INFO_BOOTLOADER), m_info.deviceName.GetString(),
              m_info.serialNumber.GetString(), m_info.appVersion.GetString(),
              m_info.hardwareRevision.GetString(), m_info.bootloaderVersion.GetString(),
              m_info.signature.GetString());
  return text;
}

void CReboundHammerProtocol::FillFirmwareList(CContents& contents) const {
  contents.m_entries.clear();
  contents.m_entries.push_back(InstalledContent(1, 1, m_info.appVersion));
  SContentEntry bootLoader;
  bootLoader.contentType = 3;
  bootLoader.version = CVersion(m_info.bootloaderVersion);
  contents.m_entries.push_back(bootLoader);
}

int CReboundHammerProtocol::BinaryRequest(CJvCommands* commands, BYTE code, int payloadLength, BYTE* buffer,
                                          int bufferSize, int timeoutMs) {
  // Nothing could be exchanged, which must not read as the instrument's success status 0.
  if (!commands || !buffer || bufferSize < 1) return JV_IO_FAILURE;
  if (timeoutMs < 0) timeoutMs = kDefaultRequestTimeoutMs;
  if (m_lumovet && code == kBlockReadCode && payloadLength == 1 && buffer[0] == kBlockReadArgument)
    return ReadBlock(commands, buffer, bufferSize, timeoutMs);
  const int shortLimit = m_lumovet ? kLumovetShortLimit : kHammerShortLimit;
  if (payloadLength <= shortLimit)
    return commands->Request(code, payloadLength, buffer, bufferSize, timeoutMs);
  if (payloadLength > bufferSize) return JV_IO_FAILURE;
  return WriteRaw(commands, code, payloadLength, buffer, timeoutMs);
}

int CReboundHammerProtocol::ReadBlock(CJvCommands* commands, BYTE* buffer, int bufferSize, int timeoutMs) {
  // The block is read straight into the caller's buffer, so a smaller one is refused unsent.
  if (bufferSize < kBlockSize) return JV_IO_FAILURE;
  StreamIO::CIoStream* stream = commands->GetStream();
  try {
    stream->Purge();
    const BYTE head[2] = {kRawHeader, kBlockReadCode};
    if (stream->Write(head, 2) != 2) return JV_IO_FAILURE;
    if (!stream->SetTimeouts(timeoutMs, timeoutMs)) return JV_IO_FAILURE;
    const BYTE argument = kBlockReadArgument;
    if (stream->Write(&argument, 1) != 1) return JV_IO_FAILURE;
    int got = 0;
    while (got < kBlockSize) {
      const int count = stream->Read(buffer + got, kBlockSize - got);
      if (count <= 0) break;
      got += count;
    }
    return got == kBlockSize ? kBlockSize : int(JV_IO_FAILURE);
  } catch (const CFileException&) {
    return JV_IO_FAILURE;
  }
}

int CReboundHammerProtocol::WriteRaw(CJvCommands* commands, BYTE code, int payloadLength, const BYTE* payload,
                                     int timeoutMs) {
  StreamIO::CIoStream* stream = commands->GetStream();
  try {
    stream->Purge();
    const BYTE head[2] = {kRawHeader, code};
    if (stream->Write(head, 2) != 2) return JV_IO_FAILURE;
    if (!stream->SetTimeouts(timeoutMs, timeoutMs)) return JV_IO_FAILURE;
    if (stream->Write(payload, payloadLength) != payloadLength) return JV_IO_FAILURE;
    BYTE status = 0;
    if (stream->Read(&status, 1) != 1) return JV_IO_FAILURE;
    return status == 0 || status >= CJvCommands::kFirstStatus ? int(status) : int(JV_IO_FAILURE);
  } catch (const CFileException&) {
    return JV_IO_FAILURE;
  }
}

bool CReboundHammerProtocol::EnterMode24(CJvCommands* commands) {
  if (!commands || !commands->GetStream()) return false;
  if (!commands->Resync()) return false;
  bool switched = false;
  return commands->ChangeMode(kMode24Word, switched, nullptr, CJvCommands::kModeWaitFactor);
}

int CReboundHammerProtocol::SetRunMode(CJvDevice& device, CJvCommands* commands, CCallback* callback,
                                       const CPackageHeader& header, const SBlockRecord& record) {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (!commands) return eUpdateNotAttached;
  if (callback) callback->OnStatusText(ResString(IDS_UPDATE_SET_RUN_MODE) + device.GetStepSuffix());
  const BYTE after = record.ModeAfter();
  const bool changeMode =
      (record.ModeByte() & 0x0F) != (after & 0x0F) || (after & SBlockRecord::kForceModeChange) != 0;
  bool switched = false;
  if (changeMode && !commands->ChangeMode(after, switched, callback, kRunModeWaitFactor))
    return eUpdateModeChange;
  if ((after & SBlockRecord::kWriteBlock128) && (!changeMode || switched || !device.IsBlockWritten())) {
    if (!commands->WriteBlock128(header.m_block128.data(), device.GetBlockCheckKind()))
      return eUpdateBlock128;
    device.SetBlockWritten(true);
  }
  if (callback && callback->m_bProgressWanted) callback->OnProgress(100, 1, 0);
  return eUpdateOk;
}

}  // namespace Device
