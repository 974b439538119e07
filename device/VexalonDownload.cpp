// The download of every stored test of a ZD-2 in one transfer: the raw command C3 C1 C1, a
// four-byte header (check size, total size most significant byte first, record count), then
// the records, each followed by its CRC-16 most significant byte first.

#include <algorithm>
#include <cstring>
#include <vector>

#include "device/Callback.h"
#include "device/Crc.h"
#include "device/Stopwatch.h"
#include "device/VexalonDevice.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/Clock.h"
#include "platform/base/FileException.h"

namespace Device {
namespace {

constexpr int kHeaderSize = 4;
constexpr int kCheckSize = 2;
constexpr DWORD kHeaderMs = 4000;
constexpr int kReadPiece = 5000;
constexpr int kDataReadTimeoutMs = 1000;
// The data phase may always take this long; beyond it, as long as the link's own rate needs
// twice over. A link that does not know its rate is taken as the slowest the instruments use,
// 9600 baud.
constexpr ULONGLONG kDataPhaseMinimumMs = 30000;
constexpr int kSlowestLinkBytesPerSecond = 960;
constexpr int kTimedOut = -1;

const BYTE kDownloadCommand[] = {0xC3, 0xC1, 0xC1};

}  // namespace

int CVexalonDevice::DownloadMeasurements(BYTE* buffer, int& size, int& count) {
  if (!LeaveDebugProtocol(false, false)) return kDownloadLeaveFailed;
  StreamIO::CIoStream* stream = GetStream();
  if (!stream || !buffer) return kDownloadException;
  try {
    stream->Purge();
    for (BYTE b : kDownloadCommand) stream->WriteByte(b);

    BYTE header[kHeaderSize];
    int got = 0;
    int readTimeout = 0;
    int writeTimeout = 0;
    stream->GetTimeouts(readTimeout, writeTimeout);
    const DWORD start = GetTickCount();
    while (got < kHeaderSize) {
      // Each byte may take only what is left of the header's time.
      const DWORD left = TimeoutLeft(kHeaderMs, GetTickCount() - start);
      if (left == 0) break;
      stream->SetTimeouts(int(left), writeTimeout);
      got += stream->Read(header + got, 1);
    }
    if (got < kHeaderSize) return kDownloadHeaderShort;
    if (header[0] != kCheckSize) return kDownloadBadCheckSize;
    const int total = (header[1] << 8) | header[2];
    const int records = header[3];
    if (total > size) return kDownloadBufferTooSmall;
    if (records == 0) return kDownloadOk;
    if (total == 0) return kDownloadNoData;

    std::vector<BYTE> data(static_cast<size_t>(total));
    stream->SetTimeouts(kDataReadTimeoutMs, kDataReadTimeoutMs);
    const int received = ReceiveDownloadData(data.data(), total);
    if (received == kTimedOut) return kDownloadTimeout;
    if (received < total) return kDownloadIncomplete;

    // A record must at least hold its own size word.
    const int recordSize = total >= 2 ? GetLe16(data.data()) : 0;
    if (recordSize < 2 || total != records * (recordSize + kCheckSize)) return kDownloadMismatch;
    for (int i = 0; i < records; ++i) {
      const BYTE* record = data.data() + size_t(i) * size_t(recordSize + kCheckSize);
      const WORD expected = WORD((record[recordSize] << 8) | record[recordSize + 1]);
      if (Crc16(record, size_t(recordSize), 0) != expected) return kDownloadBadCrc;
      std::memcpy(buffer + size_t(i) * size_t(recordSize), record, size_t(recordSize));
    }
    size = records * recordSize;
    count = records;
    return kDownloadOk;
  } catch (const CFileException&) {
    return kDownloadException;
  }
}

// Reads the data phase in pieces; it ends when all came, when a read brought nothing for a
// whole read time-out, or when the phase outlasts what the link's rate allows. Returns the
// bytes received, or kTimedOut.
int CVexalonDevice::ReceiveDownloadData(BYTE* data, int total) {
  StreamIO::CIoStream* stream = GetStream();
  const int linkRate =
      stream->GetBytesPerSecond() > 0 ? stream->GetBytesPerSecond() : kSlowestLinkBytesPerSecond;
  const ULONGLONG limitMs = kDataPhaseMinimumMs + ULONGLONG(total) * 2 * 1000 / ULONGLONG(linkRate);
  ULONGLONG start = 0;
  QueryTimestamp(start);
  int received = 0;
  while (received < total) {
    const int got = stream->Read(data + received, std::min(total - received, kReadPiece));
    received += got;
    if (Callback()) Callback()->OnProgress((received * 100 + total / 2) / total, 1, 0);
    if (got == 0) break;
    ULONGLONG now = 0;
    QueryTimestamp(now);
    if (received < total && GetElapsedMs(start, now) >= TimeoutSpan(limitMs)) return kTimedOut;
  }
  return received;
}

const char16_t* GetDownloadErrorText(int code) {
  switch (code) {
    case kDownloadOk:
      return u"No Error";
    case kDownloadLeaveFailed:
      return u"Error: Failed to switch to default protocol.";
    case kDownloadHeaderShort:
      return u"Error: Wrong header size.";
    case kDownloadBadCheckSize:
      return u"Error: Wrong CRC size.";
    case kDownloadBufferTooSmall:
      return u"Error: Measurement buffer is too small.";
    case kDownloadNoData:
      return u"Error: Data size is 0.";
    case kDownloadTimeout:
      return u"Error: Reached measurement download timeout.";
    case kDownloadIncomplete:
      return u"Error: Not all data has been downloaded.";
    case kDownloadMismatch:
      return u"Error: Mismatch between the number of measurements and the data size.";
    case kDownloadBadCrc:
      return u"Error: Failed CRC check.";
    case kDownloadException:
      return u"Error: Unknown exception.";
    default:
      return u"Error: Unknown error.";
  }
}

}  // namespace Device
