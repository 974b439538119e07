// The steps of a firmware update as the device base performs them, and the step forms that
// instrument classes share.

#include <vector>

#include "device/Callback.h"
#include "device/DeviceAbort.h"
#include "device/JvCommands.h"
#include "device/JvDevice.h"
#include "device/PackageHeader.h"
#include "platform/res/StringTable.h"

namespace Device {
namespace {

enum : int {
  kUpdateOk = 0,
  kUpdateNotAttached = 1,
  kUpdateBlock128Failed = 2,
  kUpdateIncomplete = 3,
  kUpdateProgramFailed = 4,
  kUpdateModeFailed = 5,
  kUpdateCommunication = 6,
  kUpdateFileRead = 7,
  kUpdateWrongDevice = 8,
  kUpdateAborted = 9,
  kUpdateHardware = 10,
  kUpdateOsVersion = 11,
  kUpdateBattery = 16,
};

constexpr UINT kTextTransferBlock = 20005;
constexpr UINT kTextWriteBlock = 20008;
constexpr UINT kTextSetMode = 20009;
constexpr UINT kTextDeviceChecks = 20010;
constexpr UINT kTextInit = 20011;
constexpr UINT kTextSetRunMode = 20012;
constexpr UINT kTextFinished = 20013;
constexpr UINT kTextErrorCode = 20015;
constexpr UINT kTextRetry = 20022;
constexpr int kModeWaitFactor = 100;
constexpr int kProgrammingProgressMode = 2;
constexpr BYTE kSRecordFormat = 0x40;
constexpr int kEntryHeaderSize = 16;
constexpr int kMaxEntryHeaderSize = 512;

void ReportDone(CCallback* callback) {
  if (callback && callback->m_bProgressWanted) callback->OnProgress(100, 1, 0);
}

}  // namespace

CString CJvDevice::GetUpdateErrorText(int result) {
  auto withRetry = [](UINT id) { return ResString(id) + ResString(kTextRetry); };
  switch (result) {
    case kUpdateOk:
      return CString();
    case kUpdateIncomplete:
      return withRetry(20023);
    case kUpdateProgramFailed:
      return withRetry(20024);
    case kUpdateModeFailed:
      return withRetry(20025);
    case kUpdateCommunication:
      return withRetry(20016);
    case kUpdateFileRead:
      return ResString(20026);
    case kUpdateWrongDevice:
      return ResString(20019);
    case kUpdateAborted:
      return ResString(20027);
    case kUpdateHardware:
      return ResString(20021);
    case kUpdateOsVersion:
      return ResString(20028);
    case kUpdateBattery:
      return ResString(20034);
    default: {
      CString text;
      text.Format(ResString(kTextErrorCode), result);
      return text + ResString(kTextRetry);
    }
  }
}

int CJvDevice::UpdateSeek(const SBlockRecord& record) {
  if (!m_commands || !m_secondStream || !m_secondStream->IsOpen() || !m_secondStream->CanSeek())
    return kUpdateNotAttached;
  m_secondStream->Seek(int(record.DataLength()), StreamIO::SEEK_FROM_CURRENT);
  return kUpdateOk;
}

int CJvDevice::UpdateCheckDevice(const CPackageHeader& header) {
  if (IsDeviceThreadAborted()) return kUpdateAborted;
  if (m_callback) m_callback->OnStatusText(ResString(kTextDeviceChecks));
  const int code = GetDeviceCode();
  if (code == -1) return kUpdateCommunication;
  return DWORD(code) == header.m_deviceCode ? kUpdateOk : kUpdateWrongDevice;
}

int CJvDevice::UpdateInit(const CPackageHeader&) {
  if (!m_commands) return kUpdateNotAttached;
  if (IsDeviceThreadAborted()) return kUpdateAborted;
  if (m_callback) m_callback->OnStatusText(ResString(kTextInit));
  return kUpdateOk;
}

int CJvDevice::UpdateSetMode(const CPackageHeader& header, const SBlockRecord& record) {
  if (IsDeviceThreadAborted()) return kUpdateAborted;
  if (!m_commands) return kUpdateNotAttached;
  ReportStep(kTextSetMode);
  bool switched = false;
  if (!m_commands->ChangeMode(record.ModeByte(), switched, m_callback, kModeWaitFactor))
    return kUpdateModeFailed;
  if ((switched || !m_blockWritten) && (record.ModeByte() & SBlockRecord::kWriteBlock128)) {
    if (!m_commands->WriteBlock128(header.m_block128.data(), GetBlockCheckKind()))
      return kUpdateBlock128Failed;
    m_blockWritten = true;
  }
  ReportDone(m_callback);
  return kUpdateOk;
}

int CJvDevice::UpdateWriteData(const SBlockRecord& record) {
  if (!m_commands || !m_secondStream || !m_secondStream->IsOpen()) return kUpdateNotAttached;
  ReportStep(kTextTransferBlock);
  const int length = int(record.DataLength());
  if (m_commands->WriteDataBlock(m_secondStream, length, GetBlockCheckKind(), GetMaxBlockSize(),
                                 m_callback) == length)
    return kUpdateOk;
  return IsDeviceThreadAborted() ? kUpdateAborted : kUpdateIncomplete;
}

int CJvDevice::UpdateWriteDataBlock(const SBlockRecord& record) {
  if (!m_commands) return kUpdateNotAttached;
  if (IsDeviceThreadAborted()) return kUpdateAborted;
  if (!(record.ModeAfter() & SBlockRecord::kProgramBlock)) return kUpdateOk;
  ReportStep(kTextWriteBlock);
  return m_commands->RunTimedRequest(m_callback, kProgrammingProgressMode, false) ? kUpdateOk
                                                                                  : kUpdateProgramFailed;
}

int CJvDevice::UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord& record) {
  if (IsDeviceThreadAborted()) return kUpdateAborted;
  if (!m_commands) return kUpdateNotAttached;
  ReportStep(kTextSetRunMode);
  const BYTE after = record.ModeAfter();
  if ((record.ModeByte() & 0x0F) != (after & 0x0F) || (after & SBlockRecord::kForceModeChange)) {
    bool switched = false;
    if (!m_commands->ChangeMode(after, switched, m_callback, kModeWaitFactor)) return kUpdateModeFailed;
  }
  if (!m_blockWritten && (after & SBlockRecord::kWriteBlock128)) {
    if (!m_commands->WriteBlock128(header.m_block128.data(), GetBlockCheckKind()))
      return kUpdateBlock128Failed;
    m_blockWritten = true;
  }
  ReportDone(m_callback);
  return kUpdateOk;
}

int CJvDevice::UpdateFinish() {
  if (IsDeviceThreadAborted()) return kUpdateAborted;
  if (m_callback) {
    m_callback->OnStatusText(ResString(kTextFinished));
    m_callback->OnProgress(100, 1, 0);
  }
  return kUpdateOk;
}

int CJvDevice::UpdateSetModeWithoutRequest() {
  if (!m_commands || !m_stream) return kUpdateNotAttached;
  if (IsDeviceThreadAborted()) return kUpdateAborted;
  ReportStep(kTextSetMode);
  return kUpdateOk;
}

int CJvDevice::UpdateWriteDataAsSRecords(const SBlockRecord& record) {
  if (!m_commands || !m_secondStream || !m_secondStream->IsOpen()) return kUpdateNotAttached;
  ReportStep(kTextTransferBlock);
  if (record.DataFormat() != kSRecordFormat) return kUpdateOk;
  const int entrySize = int(record.DataLength());
  BYTE entryHeader[kEntryHeaderSize];
  if (m_secondStream->Read(entryHeader, kEntryHeaderSize) != kEntryHeaderSize) return kUpdateIncomplete;
  const int headerSize = entryHeader[4] | (entryHeader[5] << 8);
  if (headerSize < kEntryHeaderSize || headerSize > kMaxEntryHeaderSize || headerSize > entrySize)
    return kUpdateIncomplete;
  if (headerSize > kEntryHeaderSize) {
    std::vector<BYTE> rest(size_t(headerSize - kEntryHeaderSize));
    if (m_secondStream->Read(rest.data(), int(rest.size())) != int(rest.size())) return kUpdateIncomplete;
  }
  const int count = entrySize - headerSize;
  if (m_commands->SendSRecords(m_secondStream, count, m_callback) == count) return kUpdateOk;
  return IsDeviceThreadAborted() ? kUpdateAborted : kUpdateIncomplete;
}

}  // namespace Device
