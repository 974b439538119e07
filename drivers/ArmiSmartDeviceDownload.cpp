// The Armivue's download of its stored objects and the baud-rate switch it uses.

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "device/DecimalText.h"
#include "device/JvCommands.h"
#include "drivers/ArmiSmartDevice.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/Clock.h"
#include "platform/base/FileException.h"

namespace Device {
namespace {

constexpr BYTE kDownloadRequest = 210;
constexpr BYTE kBinaryDownload = 18;
constexpr BYTE kTextDownload = 16;
constexpr BYTE kNothingStored = 243;
constexpr int kBinaryBufferSize = 144100;
constexpr int kBinaryReadTimeoutMs = 1500;
constexpr int kBinaryBudgetMs = 80000;
constexpr int kDownloadTextBufferSize = 5000000;
constexpr int kTextReadTimeoutMs = 35000;
constexpr int kTextBudgetMs = 2400000;
constexpr int kLinkBaud = 19200;
constexpr BYTE kBinaryReplyOk = 1;
constexpr int kRecordCountOffset = 1;
constexpr int kRecordSizeOffset = 3;
constexpr int kFirstRecordOffset = 5;
constexpr int kMaxTextFiles = 500;
constexpr const char16_t* kFileHeader = u"Armivue+ Data File Version";
constexpr const char16_t* kFileEnd = u"<eof>";
constexpr int kRateQueryTimeoutMs = 4000;
constexpr int kRateQueryBufferSize = 1024;
constexpr int kRateSettleMs = 20;
// The instrument's rate divisor: its clock divided by the baud rate.
constexpr double kRateClock = 4000000.0;

}  // namespace

bool CArmiSmartDevice::DownloadMeasurements(TMeasSet& set, int baud, bool binary) {
  StreamIO::CIoStream* stream = GetStream();
  if (!Commands() || !stream) return false;
  int readTimeout = 0;
  int writeTimeout = 0;
  stream->GetTimeouts(readTimeout, writeTimeout);
  set.objects.clear();
  const int bufferSize = binary ? kBinaryBufferSize : kDownloadTextBufferSize;
  std::vector<BYTE> buffer(size_t(bufferSize), 0);
  buffer[0] = binary ? kBinaryDownload : kTextDownload;
  SetBaudRate(baud);
  int count = 0;
  const int result = RequestWithProgress(kDownloadRequest, buffer.data(), 1, count, bufferSize,
                                         binary ? kBinaryReadTimeoutMs : kTextReadTimeoutMs,
                                         binary ? kBinaryBudgetMs : kTextBudgetMs);
  stream->SetTimeouts(readTimeout, writeTimeout);
  SetBaudRate(kLinkBaud);
  if (result != JV_PROGRESS_OK) return buffer[0] == kNothingStored;
  count = std::min(count, bufferSize);
  return binary ? ReadBinaryDownload(set, buffer.data(), count) : ReadTextDownload(set, buffer.data(), count);
}

bool CArmiSmartDevice::ReadBinaryDownload(TMeasSet& set, const BYTE* reply, int length) {
  if (length < kFirstRecordOffset || reply[0] != kBinaryReplyOk ||
      GetLe16(reply + kRecordSizeOffset) != kBinaryRecordSize)
    return false;
  set.version = CVersion(u"1.0");
  const int records = GetLe16(reply + kRecordCountOffset);
  bool allRead = true;
  for (int i = 0; i < records; ++i) {
    const int offset = kFirstRecordOffset + i * kBinaryRecordSize;
    // Records the instrument announced but did not send are failures, not stale bytes.
    TMeas meas;
    if (offset + kBinaryRecordSize <= length && ParseBinaryRecord(meas, reply + offset))
      set.objects.push_back(meas);
    else
      allRead = false;
  }
  return allRead;
}

bool CArmiSmartDevice::ReadTextDownload(TMeasSet& set, const BYTE* reply, int length) {
  const BYTE* end = std::find(reply, reply + length, BYTE(0));
  const CString text =
      CString::FromAnsi(std::string_view(reinterpret_cast<const char*>(reply), size_t(end - reply)));
  // "1;n;": the download's kind and the number of data files that follow.
  const std::string head = text.Left(16).ToUtf8();
  constexpr size_t kCountAt = 2;
  int files = 0;
  size_t countEnd = 0;
  if (head.rfind("1;", 0) != 0 || !ReadDecimal(std::string_view(head).substr(kCountAt), files, &countEnd))
    return false;
  countEnd += kCountAt;
  if (countEnd >= head.size() || head[countEnd] != ';' || files < 1 || files > kMaxTextFiles) return false;
  set.version = CVersion(u"1.0");
  int failures = 0;
  int position = int(countEnd) + 1;
  for (int i = 0; i < files; ++i) {
    const int header = text.Find(kFileHeader, position);
    if (header < 0) {
      failures += files - i;
      break;
    }
    const int fileEnd = text.Find(kFileEnd, header);
    if (fileEnd < 0) {
      ++failures;
      position = header + 1;
      continue;
    }
    // The next file is looked for after this one's end, never inside it again.
    position = fileEnd + CString(kFileEnd).GetLength();
    TMeas meas;
    if (ReadDataFile(meas, text.Mid(header, fileEnd - header)))
      set.objects.push_back(meas);
    else
      ++failures;
  }
  return failures == 0;
}

bool CArmiSmartDevice::AskBaudRate() {
  char reply[kRateQueryBufferSize] = {};
  const int length = TextQuery(u"BR ?", reply, kRateQueryBufferSize, kRateQueryTimeoutMs);
  return length > 0 && reply[0] != '?';
}

bool CArmiSmartDevice::ApplySerialSettings() {
  auto* port = dynamic_cast<StreamIO::CRs232Stream*>(GetStream());
  if (!port) return false;
  try {
    return port->SetSettings(m_serialSettings);
  } catch (const CFileException&) {
    return false;
  }
}

bool CArmiSmartDevice::SetBaudRate(int baud) {
  StreamIO::CIoStream* stream = GetStream();
  if (!Commands() || !stream) return false;
  if (DWORD(baud) == m_serialSettings.baud) return true;
  if (baud <= 0) return false;
  if (!AskBaudRate()) return false;
  char command[16];
  const int length = std::snprintf(command, sizeof command, "BR %03d\r", int(kRateClock / baud + 0.5));
  const DWORD oldBaud = m_serialSettings.baud;
  bool switched = false;
  try {
    // The rate command goes raw: it is answered at the new rate, which the check below asks.
    switched = stream->Write(command, length) == length;
  } catch (const CFileException&) {
    switched = false;
  }
  m_serialSettings.baud = DWORD(baud);
  switched = ApplySerialSettings() && switched;
  Sleep(kRateSettleMs);
  if (switched && AskBaudRate()) return true;
  m_serialSettings.baud = oldBaud;
  ApplySerialSettings();
  return false;
}

}  // namespace Device
