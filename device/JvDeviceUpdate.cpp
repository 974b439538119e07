// The steps of a firmware update as the device base performs them, and the step forms that
// instrument classes share.

#include <vector>

#include "device/Callback.h"
#include "device/DeviceAbort.h"
#include "device/JvCommands.h"
#include "device/JvDevice.h"
#include "device/PackageHeader.h"
#include "device/UpdateErrorCode.h"
#include "platform/base/ByteOrder.h"
#include "platform/res/StringTable.h"

namespace Device {
namespace {

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
    case eUpdateOk:
      return CString();
    case eUpdateIncomplete:
      return withRetry(20023);
    case eUpdateProgram:
      return withRetry(20024);
    case eUpdateModeChange:
      return withRetry(20025);
    case eUpdateCommunication:
      return withRetry(20016);
    case eUpdateFileRead:
      return ResString(20026);
    case eUpdateWrongDevice:
      return ResString(20019);
    case eUpdateAborted:
      return ResString(20027);
    case eUpdateHardware:
      return ResString(20021);
    case eUpdateOsVersion:
      return ResString(20028);
    case eUpdateBattery:
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
    return eUpdateNotAttached;
  m_secondStream->Seek(int(record.DataLength()), StreamIO::SEEK_FROM_CURRENT);
  return eUpdateOk;
}

int CJvDevice::UpdateCheckDevice(const CPackageHeader& header) {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (m_callback) m_callback->OnStatusText(ResString(kTextDeviceChecks));
  const int code = GetDeviceCode();
  if (code == -1) return eUpdateCommunication;
  return DWORD(code) == header.m_deviceCode ? eUpdateOk : eUpdateWrongDevice;
}

int CJvDevice::UpdateInit(const CPackageHeader&) {
  if (!m_commands) return eUpdateNotAttached;
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (m_callback) m_callback->OnStatusText(ResString(kTextInit));
  return eUpdateOk;
}

int CJvDevice::UpdateSetMode(const CPackageHeader& header, const SBlockRecord& record) {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (!m_commands) return eUpdateNotAttached;
  ReportStep(kTextSetMode);
  bool switched = false;
  if (!m_commands->ChangeMode(record.ModeByte(), switched, m_callback, kModeWaitFactor))
    return eUpdateModeChange;
  if ((switched || !m_blockWritten) && (record.ModeByte() & SBlockRecord::kWriteBlock128)) {
    if (!m_commands->WriteBlock128(header.m_block128.data(), GetBlockCheckKind())) return eUpdateBlock128;
    m_blockWritten = true;
  }
  ReportDone(m_callback);
  return eUpdateOk;
}

int CJvDevice::UpdateWriteData(const SBlockRecord& record) {
  if (!m_commands || !m_secondStream || !m_secondStream->IsOpen()) return eUpdateNotAttached;
  ReportStep(kTextTransferBlock);
  const int length = int(record.DataLength());
  if (m_commands->WriteDataBlock(m_secondStream, length, GetBlockCheckKind(), GetMaxBlockSize(),
                                 m_callback) == length)
    return eUpdateOk;
  return IsDeviceThreadAborted() ? eUpdateAborted : eUpdateIncomplete;
}

int CJvDevice::UpdateWriteDataBlock(const SBlockRecord& record) {
  if (!m_commands) return eUpdateNotAttached;
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (!(record.ModeAfter() & SBlockRecord::kProgramBlock)) return eUpdateOk;
  ReportStep(kTextWriteBlock);
  return m_commands->RunTimedRequest(m_callback, kProgrammingProgressMode, false) ? eUpdateOk
                                                                                  : eUpdateProgram;
}

int CJvDevice::UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord& record) {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (!m_commands) return eUpdateNotAttached;
  ReportStep(kTextSetRunMode);
  const BYTE after = record.ModeAfter();
  if ((record.ModeByte() & 0x0F) != (after & 0x0F) || (after & SBlockRecord::kForceModeChange)) {
    bool switched = false;
    if (!m_commands->ChangeMode(after, switched, m_callback, kModeWaitFactor)) return eUpdateModeChange;
  }
  if (!m_blockWritten && (after & SBlockRecord::kWriteBlock128)) {
    if (!m_commands->WriteBlock128(header.m_block128.data(), GetBlockCheckKind())) return eUpdateBlock128;
    m_blockWritten = true;
  }
  ReportDone(m_callback);
  return eUpdateOk;
}

int CJvDevice::UpdateFinish() {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (m_callback) {
    m_callback->OnStatusText(ResString(kTextFinished));
    m_callback->OnProgress(100, 1, 0);
  }
  return eUpdateOk;
}

int CJvDevice::UpdateSetModeWithoutRequest() {
  if (!m_commands || !m_stream) return eUpdateNotAttached;
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  ReportStep(kTextSetMode);
  return eUpdateOk;
}

int CJvDevice::UpdateWriteDataAsSRecords(const SBlockRecord& record) {
  if (!m_commands || !m_secondStream || !m_secondStream->IsOpen()) return eUpdateNotAttached;
  ReportStep(kTextTransferBlock);
  if (record.DataFormat() != kSRecordFormat) return eUpdateOk;
  const int entrySize = int(record.DataLength());
  BYTE entryHeader[kEntryHeaderSize];
  if (m_secondStream->Read(entryHeader, kEntryHeaderSize) != kEntryHeaderSize) return eUpdateIncomplete;
  const int headerSize = GetLe16(entryHeader + 4);
  if (headerSize < kEntryHeaderSize || headerSize > kMaxEntryHeaderSize || headerSize > entrySize)
    return eUpdateIncomplete;
  if (headerSize > kEntryHeaderSize) {
    std::vector<BYTE> rest(size_t(headerSize - kEntryHeaderSize));
    if (m_secondStream->Read(rest.data(), int(rest.size())) != int(rest.size())) return eUpdateIncomplete;
  }
  const int count = entrySize - headerSize;
  if (m_commands->SendSRecords(m_secondStream, count, m_callback) == count) return eUpdateOk;
  return IsDeviceThreadAborted() ? eUpdateAborted : eUpdateIncomplete;
}

}  // namespace Device
