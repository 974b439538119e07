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
#include "resources/ResourceIds.h"

namespace Device {
namespace {

constexpr int kProgrammingProgressMode = 2;
constexpr BYTE kSRecordFormat = 0x40;
constexpr BYTE kServiceRecordFormat = 0x50;
constexpr int kEntryHeaderSize = 16;
constexpr int kMaxEntryHeaderSize = 512;

void ReportDone(CCallback* callback) {
  if (callback && callback->m_bProgressWanted) callback->OnProgress(100, 1, 0);
}

}  // namespace

CString CJvDevice::GetUpdateErrorText(int result) {
  auto withRetry = [](UINT id) { return ResString(id) + ResString(IDS_UPDATE_RETRY); };
  switch (result) {
    case eUpdateOk:
      return CString();
    case eUpdateIncomplete:
      return withRetry(IDS_UPDATE_INCOMPLETE);
    case eUpdateProgram:
      return withRetry(IDS_UPDATE_PROGRAM_FAILED);
    case eUpdateModeChange:
      return withRetry(IDS_UPDATE_MODE_CHANGE);
    case eUpdateCommunication:
      return withRetry(IDS_UPDATE_COMMUNICATION);
    case eUpdateFileRead:
      return ResString(IDS_UPDATE_FILE_READ);
    case eUpdateWrongDevice:
      return ResString(IDS_UPDATE_WRONG_DEVICE);
    case eUpdateAborted:
      return ResString(IDS_UPDATE_ABORTED);
    case eUpdateHardware:
      return ResString(IDS_UPDATE_HARDWARE);
    case eUpdateOsVersion:
      return ResString(IDS_UPDATE_OS_VERSION);
    case eUpdateBattery:
      return ResString(IDS_UPDATE_BATTERY);
    default: {
      CString text;
      text.Format(ResString(IDS_UPDATE_ERROR_CODE), result);
      return text + ResString(IDS_UPDATE_RETRY);
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
  if (m_callback) m_callback->OnStatusText(ResString(IDS_UPDATE_DEVICE_CHECKS));
  const int code = GetDeviceCode();
  if (code == -1) return eUpdateCommunication;
  return DWORD(code) == header.m_deviceCode ? eUpdateOk : eUpdateWrongDevice;
}

int CJvDevice::UpdateInit(const CPackageHeader&) {
  if (!m_commands) return eUpdateNotAttached;
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (m_callback) m_callback->OnStatusText(ResString(IDS_UPDATE_INIT));
  return eUpdateOk;
}

int CJvDevice::UpdateSetMode(const CPackageHeader& header, const SBlockRecord& record) {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (!m_commands) return eUpdateNotAttached;
  ReportStep(IDS_UPDATE_SET_MODE);
  bool switched = false;
  if (!m_commands->ChangeMode(record.ModeByte(), switched, m_callback, CJvCommands::kModeWaitFactor))
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
  ReportStep(IDS_UPDATE_TRANSFER_BLOCK);
  const int length = int(record.DataLength());
  if (m_commands->WriteDataBlock(m_secondStream, length, GetBlockCheckKind(), GetMaxBlockSize(),
                                 m_callback) == length)
    return eUpdateOk;
  return IsDeviceThreadAborted() ? eUpdateAborted : eUpdateIncomplete;
}

int CJvDevice::UpdateWriteDataBlock(const SBlockRecord& record) { return UpdateTimedBlock(record, false); }

int CJvDevice::UpdateTimedBlock(const SBlockRecord& record, bool askSecondDuration) {
  if (!m_commands) return eUpdateNotAttached;
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (!(record.ModeAfter() & SBlockRecord::kProgramBlock)) return eUpdateOk;
  ReportStep(IDS_UPDATE_WRITE_BLOCK);
  return m_commands->RunTimedRequest(m_callback, kProgrammingProgressMode, askSecondDuration)
             ? eUpdateOk
             : eUpdateProgram;
}

int CJvDevice::UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord& record) {
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  if (!m_commands) return eUpdateNotAttached;
  ReportStep(IDS_UPDATE_SET_RUN_MODE);
  const BYTE after = record.ModeAfter();
  if ((record.ModeByte() & 0x0F) != (after & 0x0F) || (after & SBlockRecord::kForceModeChange)) {
    bool switched = false;
    if (!m_commands->ChangeMode(after, switched, m_callback, CJvCommands::kModeWaitFactor))
      return eUpdateModeChange;
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
    m_callback->OnStatusText(ResString(IDS_UPDATE_FINISHED));
    m_callback->OnProgress(100, 1, 0);
  }
  return eUpdateOk;
}

int CJvDevice::UpdateSetModeWithoutRequest() {
  if (!m_commands || !m_stream) return eUpdateNotAttached;
  if (IsDeviceThreadAborted()) return eUpdateAborted;
  ReportStep(IDS_UPDATE_SET_MODE);
  return eUpdateOk;
}

int CJvDevice::UpdateWriteDataAsSRecords(const SBlockRecord& record) {
  if (!m_commands || !m_secondStream || !m_secondStream->IsOpen()) return eUpdateNotAttached;
  ReportStep(IDS_UPDATE_TRANSFER_BLOCK);
  if (record.DataFormat() != kSRecordFormat) return eUpdateOk;
  // This form checks the header's own length against the entry, not the payload length it states.
  DWORD statedPayload = 0;
  const int count = ReadEntryHeader(record, statedPayload);
  if (count < 0) return eUpdateIncomplete;
  return UpdateWriteRecords(count, false);
}

int CJvDevice::UpdateWriteProbeData(const SBlockRecord& record) {
  if (!m_commands || !m_secondStream || !m_secondStream->IsOpen()) return eUpdateNotAttached;
  ReportStep(IDS_UPDATE_TRANSFER_BLOCK);
  const bool serviceRecords = record.DataFormat() == kServiceRecordFormat;
  if (!serviceRecords && record.DataFormat() != kSRecordFormat) return eUpdateOk;
  // A malformed entry header, or one whose payload length disagrees with the entry, means an
  // unusable package: nothing of it is sent.
  DWORD statedPayload = 0;
  const int count = ReadEntryHeader(record, statedPayload);
  if (count < 0 || statedPayload != DWORD(count)) return eUpdateNotAttached;
  return UpdateWriteRecords(count, serviceRecords);
}

int CJvDevice::ReadEntryHeader(const SBlockRecord& record, DWORD& statedPayload) {
  const int entrySize = int(record.DataLength());
  BYTE entryHeader[kEntryHeaderSize];
  if (m_secondStream->Read(entryHeader, kEntryHeaderSize) != kEntryHeaderSize) return -1;
  const int headerSize = GetLe16(entryHeader + 4);
  if (headerSize < kEntryHeaderSize || headerSize > kMaxEntryHeaderSize || headerSize > entrySize) return -1;
  statedPayload = GetLe32(entryHeader + 12);
  if (headerSize > kEntryHeaderSize) {
    std::vector<BYTE> rest(size_t(headerSize - kEntryHeaderSize));
    if (m_secondStream->Read(rest.data(), int(rest.size())) != int(rest.size())) return -1;
  }
  return entrySize - headerSize;
}

int CJvDevice::UpdateWriteRecords(int count, bool serviceRecords) {
  // The service records count as sent when the download reached the end of their text: it
  // answers the position it reached less one.
  const bool complete =
      serviceRecords ? m_commands->ServiceRecordDownload(m_secondStream, count, m_callback) + 1 >= count
                     : m_commands->SendSRecords(m_secondStream, count, m_callback) == count;
  if (complete) return eUpdateOk;
  return IsDeviceThreadAborted() ? eUpdateAborted : eUpdateIncomplete;
}

}  // namespace Device
