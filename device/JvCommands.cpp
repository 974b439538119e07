#include "device/JvCommands.h"

#include <algorithm>

#include "device/Callback.h"
#include "device/Crc.h"
#include "device/Stopwatch.h"
#include "device/streamio/IoStream.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/Clock.h"
#include "platform/base/FileException.h"

namespace Device {

namespace {

constexpr BYTE kFrameBase = 0xC0;
constexpr BYTE kExtendedReply = 239;
constexpr BYTE kDeviceCodeRequest = 0xF1;
constexpr int kDefaultRate = 16000;
constexpr int kMinTransferTimeout = 4000;
constexpr int kShortGapMs = 50;

// Check kinds of an extended reply header.
enum : BYTE { kCheckCrc8 = 1, kCheckCrc16 = 2, kCheckCrc32 = 4 };

int CheckSize(BYTE kind) {
  switch (kind) {
    case kCheckCrc8:
      return 1;
    case kCheckCrc16:
      return 2;
    case kCheckCrc32:
      return 4;
    default:
      return 0;
  }
}

}  // namespace

void ReportProgress(CCallback* callback, int percent, int mode, int expectedMs) {
  if (callback && callback->m_bProgressWanted) callback->OnProgress(percent, mode, expectedMs);
}

CJvCommands::CJvCommands(StreamIO::CIoStream* stream) : m_pStream(stream) {}

CJvCommands::~CJvCommands() = default;

void CJvCommands::SetAbortTest(AbortTest test, DWORD_PTR userData) {
  m_abortTest = test;
  m_abortUserData = userData;
}

bool CJvCommands::IsAborted() const { return m_abortTest && m_abortTest(m_abortUserData); }

bool CJvCommands::WriteFrame(BYTE code, const BYTE* payload, int payloadLength) {
  std::vector<BYTE> frame{BYTE(kFrameBase + payloadLength), code};
  if (payloadLength > 0) frame.insert(frame.end(), payload, payload + payloadLength);
  return WriteAll(frame.data(), int(frame.size()));
}

bool CJvCommands::WriteAll(const void* data, int count) {
  // A transport may take a large buffer in pieces (a socket sends what its buffer holds); only
  // a write that moves nothing is a short write.
  const BYTE* bytes = static_cast<const BYTE*>(data);
  int done = 0;
  while (done < count) {
    const int written = m_pStream->Write(bytes + done, count - done);
    if (written <= 0) return false;
    done += written;
  }
  return true;
}

bool CJvCommands::ReadExactly(BYTE* buffer, int count) {
  return count <= 0 || m_pStream->Read(buffer, count) == count;
}

void CJvCommands::Drain(int count) {
  BYTE scratch[256];
  while (count > 0) {
    const int piece = std::min(count, int(sizeof scratch));
    if (m_pStream->Read(scratch, piece) != piece) return;
    count -= piece;
  }
}

bool CJvCommands::CheckMatches(int checkKind, const BYTE* data, int length, const BYTE* check) const {
  switch (checkKind) {
    case kCheckCrc8:
      return Crc8(data, size_t(length), 0) == check[0];
    case kCheckCrc16:
      return Crc16(data, size_t(length), 0) == GetLe16(check);
    case kCheckCrc32:
      return DWORD(~Crc32(data, size_t(length), 0xFFFFFFFF)) == GetLe32(check);
    default:
      return true;
  }
}

int CJvCommands::Request(BYTE code, int payloadLength, BYTE* buffer, int bufferSize, int timeoutMs) {
  if (payloadLength < 0 || payloadLength > kMaxPayload || timeoutMs < 0) return JV_REQUEST_TOO_LONG;
  if (!buffer || bufferSize < 0) bufferSize = 0;
  // The payload comes from the caller's buffer, so it cannot be longer than that buffer.
  if (payloadLength > bufferSize) return JV_REQUEST_TOO_LONG;
  try {
    if (!m_pStream->SetTimeouts(timeoutMs, timeoutMs)) return JV_IO_FAILURE;
    m_pStream->Purge();
    if (!WriteFrame(code, buffer, payloadLength)) return JV_IO_FAILURE;
    BYTE status = 0;
    if (!ReadExactly(&status, 1)) return JV_IO_FAILURE;
    if (status == 0 || status >= kFirstStatus) return status;
    if (status < kExtendedReply) {
      // A reply that does not fit is taken off the link, so that the next request starts
      // clean, and reported as a failure: a count beyond the buffer would mislead the caller.
      if (status > bufferSize) {
        ReadExactly(buffer, bufferSize);
        Drain(status - bufferSize);
        return JV_IO_FAILURE;
      }
      return ReadExactly(buffer, status) ? int(status) : int(JV_IO_FAILURE);
    }
    BYTE header[4];
    if (!ReadExactly(header, sizeof header)) return JV_IO_FAILURE;
    const int length = int(GetLe24(header + 1));
    const int total = length + CheckSize(header[0]);
    if (total > bufferSize) {
      ReadExactly(buffer, bufferSize);
      Drain(total - bufferSize);
      return JV_IO_FAILURE;
    }
    if (!ReadExactly(buffer, total)) return JV_IO_FAILURE;
    if (!CheckMatches(header[0], buffer, length, buffer + length)) return JV_CHECK_MISMATCH;
    return length;
  } catch (const CFileException&) {
    return JV_IO_FAILURE;
  }
}

int CJvCommands::RequestWithProgress(BYTE code, BYTE* buffer, int payloadLength, int& count, int bufferSize,
                                     int timeoutMs, int budgetMs, CCallback* callback) {
  count = 0;
  if (payloadLength < 0 || payloadLength > kMaxPayload || timeoutMs < 0 || !buffer)
    return JV_PROGRESS_BAD_ARGUMENTS;
  if (bufferSize < 0) bufferSize = 0;
  if (payloadLength > bufferSize) return JV_PROGRESS_BAD_ARGUMENTS;
  try {
    m_pStream->Purge();
    if (!m_pStream->SetTimeouts(timeoutMs, timeoutMs)) return JV_PROGRESS_IO_FAILURE;
    if (!WriteFrame(code, buffer, payloadLength)) return JV_PROGRESS_IO_FAILURE;
    BYTE status = 0;
    if (!ReadExactly(&status, 1)) return JV_PROGRESS_IO_FAILURE;
    if (status == 0) return JV_PROGRESS_OK;
    if (status >= kFirstStatus) {
      if (bufferSize > 0) buffer[0] = status;
      return JV_PROGRESS_IO_FAILURE;
    }
    if (status < kExtendedReply) {
      if (status > bufferSize) {
        ReadExactly(buffer, bufferSize);
        Drain(status - bufferSize);
        count = status;
        return JV_PROGRESS_TOO_LARGE;
      }
      count = m_pStream->Read(buffer, status);
      return count == status ? JV_PROGRESS_OK : JV_PROGRESS_IO_FAILURE;
    }
    BYTE header[4];
    if (!ReadExactly(header, sizeof header)) return JV_PROGRESS_IO_FAILURE;
    const int length = int(GetLe24(header + 1));
    const int total = length + CheckSize(header[0]);
    if (total > bufferSize) {
      ReadExactly(buffer, bufferSize);
      Drain(total - bufferSize);
      count = length;
      return JV_PROGRESS_TOO_LARGE;
    }
    ULONGLONG start = 0;
    QueryTimestamp(start);
    // With a budget of at least two time-outs the reading stops while one time-out is still
    // left, so that the caller's overall wait is kept.
    const bool budgeted = budgetMs >= 2 * timeoutMs;
    int received = 0;
    while (received < total) {
      const int got = m_pStream->Read(buffer + received, total - received);
      received += got;
      ReportProgress(callback, int(LONGLONG(received) * 100 / total), 1, 0);
      if (got == 0) break;
      if (budgeted) {
        ULONGLONG now = 0;
        QueryTimestamp(now);
        if (start == 0 || LONGLONG(TimeoutSpan(ULONGLONG(budgetMs))) - LONGLONG(GetElapsedMs(start, now)) <
                              LONGLONG(TimeoutSpan(ULONGLONG(timeoutMs))))
          break;
      }
    }
    count = received;
    if (received < total) return JV_PROGRESS_IO_FAILURE;
    count = length;
    if (!CheckMatches(header[0], buffer, length, buffer + length)) return JV_PROGRESS_CHECK_MISMATCH;
    return JV_PROGRESS_OK;
  } catch (const CFileException&) {
    return JV_PROGRESS_IO_FAILURE;
  }
}

int CJvCommands::ShortRequest(BYTE code, int payloadLength, BYTE* buffer, int replyLength, int timeoutMs) {
  if (payloadLength < 0 || payloadLength > kMaxShortPayload || replyLength < 0 || replyLength > 239 ||
      timeoutMs < 0)
    return -1;
  if ((payloadLength > 0 || replyLength > 0) && !buffer) return -1;
  try {
    m_pStream->Purge();
    if (!WriteFrame(code, buffer, payloadLength)) return -1;
    if (replyLength == 0) return 0;
    if (!m_pStream->SetTimeouts(timeoutMs, timeoutMs)) return -1;
    BYTE status = 0;
    if (!ReadExactly(&status, 1) || status >= kFirstStatus || status != replyLength) return -1;
    int got = 0;
    while (got < replyLength) {
      if (!ReadExactly(buffer + got, 1)) break;
      // Once the reply has begun, its bytes follow each other closely: a gap ends it.
      if (got++ == 0 && timeoutMs > kShortGapMs) m_pStream->SetTimeouts(kShortGapMs, kShortGapMs);
    }
    m_pStream->SetTimeouts(timeoutMs, timeoutMs);
    return got;
  } catch (const CFileException&) {
    return -1;
  }
}

int CJvCommands::ShortQuery(BYTE code, BYTE subCode, BYTE argument, BYTE* reply, int replyLength) {
  BYTE buffer[4] = {subCode, argument};
  const int got = ShortRequest(code, 2, buffer, replyLength, 4000);
  std::copy(buffer, buffer + std::max(got, 0), reply);
  return got;
}

int CJvCommands::QueryDeviceCode() {
  BYTE reply[4];
  if (Request(kDeviceCodeRequest, 0, reply, sizeof reply, 4000) != 4) return -1;
  return int(GetLe32(reply));
}

bool CJvCommands::SetModeTimeout(bool on, int milliseconds) {
  // Whole seconds rounded up; the instrument takes one byte, so longer times are held at the
  // largest it accepts rather than wrapping around to a short one.
  const LONGLONG seconds = std::clamp<LONGLONG>((LONGLONG(milliseconds) + 999) / 1000, 0, 254);
  BYTE reply[1];
  const int got = on ? ShortQuery(kModeRequest, 0x10, BYTE(seconds), reply, 1)
                     : ShortQuery(kModeRequest, 0x11, 0x00, reply, 1);
  return got == 1;
}

bool CJvCommands::SendFixedModeRequest() {
  BYTE payload[2] = {0x12, 0xD0};
  return ShortRequest(kModeRequest, 2, payload, 0, 20000) == 0;
}

bool CJvCommands::SetTransferTimeout(int bytes, int factor) {
  try {
    int rate = m_pStream->GetBytesPerSecond();
    if (rate <= 0) rate = kDefaultRate;
    LONGLONG timeout = LONGLONG(bytes) * factor * 1000 / rate + 200;
    timeout = std::clamp<LONGLONG>(timeout, kMinTransferTimeout, 0x7FFFFFFF);
    return m_pStream->SetTimeouts(int(timeout), int(timeout));
  } catch (const CFileException&) {
    return false;
  }
}

WORD CJvCommands::Checksum16(const BYTE* bytes, int count) {
  DWORD sum = 0;
  for (int i = 0; i < count; ++i) sum += bytes[i];
  return WORD(0x10000 - sum);
}

}  // namespace Device
