// Mode changes, timed operations, block transfers and resynchronisation of the command layer.

#include <algorithm>

#include "device/Crc.h"
#include "device/JvCommands.h"
#include "device/streamio/IoStream.h"
#include "device/streamio/IpStream.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/Clock.h"
#include "platform/base/FileException.h"

namespace Device {

namespace {

constexpr BYTE kBlockRequest = 0xF8;
constexpr int kTries = 3;

// Mode change sub-codes.
enum : BYTE { kModeKnown = 0x00, kModeActive = 0x01, kModeSwitch = 0x02, kModeDuration = 0x03 };
// Block request sub-codes.
enum : BYTE {
  kBlockData = 0x00,
  kTransferHeader = 0x01,
  kTimedStart = 0x02,
  kSecondDuration = 0x03,
  kFirstDuration = 0x04
};

constexpr BYTE kChunkRepeat = 0x01;
constexpr BYTE kRepeatMark = '$';
constexpr BYTE kResyncAnswer = 0xF0;
constexpr BYTE kWakeUp[10] = {0xC8, 0xF6, 0x00, 0x05, 0x55, 0x5A, 0xAA, 0xAF, 0xFF, 0xF0};

// The checks of a block, little-endian: the CRC-16 and the inverted CRC-32 as the flags ask.
void AppendChecks(std::vector<BYTE>& out, const BYTE* data, int length, int checkFlags, bool both) {
  if (checkFlags & JV_CHECK_CRC16) {
    PutLe16(out, Crc16(data, size_t(length), 0));
    if (!both) return;
  }
  if (checkFlags & JV_CHECK_CRC32) PutLe32(out, ~Crc32(data, size_t(length), 0xFFFFFFFF));
}

}  // namespace

bool CJvCommands::ChangeMode(int modeWord, bool& switched, CCallback* callback, int waitFactor) {
  switched = false;
  const BYTE mode = BYTE(modeWord & 0x0F);
  const bool restarts = (modeWord & 0x10) != 0;
  const bool noWait = (modeWord & 0x2F) == 0x21;
  try {
    BYTE reply[3];
    if (ShortQuery(kModeRequest, kModeKnown, mode, reply, 1) != 1 || reply[0] != 1) return false;
    if (ShortQuery(kModeRequest, kModeActive, mode, reply, 1) == 1 && reply[0] == 1) {
      if (!restarts) return true;
      m_pStream->Close();
      return m_pStream->Reopen();
    }
    DWORD duration = 0;
    if (mode != 0) {
      if (ShortQuery(kModeRequest, kModeDuration, mode, reply, 3) != 3) return false;
      duration = GetLe24(reply);
      if (duration == 0) return false;
    }
    if (ShortQuery(kModeRequest, kModeSwitch, mode, reply, 0) != 0) return false;
    switched = true;
    if (mode == 0 || noWait) return true;

    if (duration > 100) ReportProgress(callback, 0, 1, int(duration + 100));
    if (restarts) {
      Sleep(100);
      m_pStream->Close();
    }
    const ULONGLONG factor = waitFactor == 0 ? 100 : ULONGLONG(std::max(waitFactor, 0));
    Sleep(DWORD(std::min<ULONGLONG>(factor * duration / 100, 0xFFFFFFFE)));
    if (restarts && !m_pStream->Reopen()) return false;
    const BYTE expected = (modeWord & 0x1F) == 0x14 ? 12 : mode;
    return ShortQuery(kModeRequest, kModeActive, expected, reply, 1) == 1 && reply[0] == 1;
  } catch (const CFileException&) {
    return false;
  }
}

bool CJvCommands::RunTimedRequest(CCallback* callback, int progressMode, bool askSecondDuration) {
  try {
    BYTE reply[3] = {kFirstDuration};
    if (ShortRequest(kBlockRequest, 1, reply, 3, 4000) != 3) return false;
    const int first = int(GetLe24(reply));
    int second = first;
    reply[0] = kSecondDuration;
    if (askSecondDuration && ShortRequest(kBlockRequest, 1, reply, 3, 4000) == 3)
      second = int(GetLe24(reply));

    m_pStream->Purge();
    const BYTE start[3] = {0xC1, kBlockRequest, kTimedStart};
    if (!WriteAll(start, int(sizeof start))) return false;
    int readTimeout = 0, writeTimeout = 0;
    m_pStream->GetTimeouts(readTimeout, writeTimeout);
    m_pStream->SetTimeouts(std::max(second, 10000), writeTimeout);
    ReportProgress(callback, 0, progressMode, std::max(first, 2000));
    BYTE status = 0xFF;
    return m_pStream->Read(&status, 1) == 1 && status == 0x00;
  } catch (const CFileException&) {
    return false;
  }
}

bool CJvCommands::WriteBlock128(const BYTE* block, int checkFlags) {
  if (!block) return false;
  std::vector<BYTE> frame{0xC1, kBlockRequest, kBlockData};
  frame.insert(frame.end(), block, block + 128);
  AppendChecks(frame, block, 128, checkFlags, false);
  try {
    for (int attempt = 0; attempt < kTries; ++attempt) {
      if (attempt > 0 && !Resync()) continue;
      m_pStream->Purge();
      if (!WriteAll(frame.data(), int(frame.size()))) continue;
      m_pStream->SetTimeouts(4000, 4000);
      BYTE status = 0xFF;
      if (m_pStream->Read(&status, 1) == 1 && status == 0x00) return true;
    }
    return false;
  } catch (const CFileException&) {
    return false;  // a failing stream makes further tries pointless
  }
}

int CJvCommands::WriteDataBlock(StreamIO::CIoStream* source, int totalSize, int checkFlags, int chunkSize,
                                CCallback* callback) {
  if (!source || !source->IsOpen() || totalSize <= 0) return 0;
  int written = 0;
  try {
    written = chunkSize > 0 ? WriteChunked(source, totalSize, checkFlags, chunkSize, callback)
                            : WriteWhole(source, totalSize, checkFlags, callback);
  } catch (const CFileException&) {
    written = 0;
  }
  m_blockBuffer.clear();
  m_blockBuffer.shrink_to_fit();
  return written;
}

bool CJvCommands::TrySendChunk(const BYTE* chunk, int length, int checkFlags) {
  std::vector<BYTE> checks;
  AppendChecks(checks, chunk, length, checkFlags, true);
  if (!WriteAll(chunk, length)) return false;
  return checks.empty() || WriteAll(checks.data(), int(checks.size()));
}

int CJvCommands::WriteChunked(StreamIO::CIoStream* source, int totalSize, int checkFlags, int chunkSize,
                              CCallback* callback) {
  for (int attempt = 0; attempt < kTries; ++attempt) {
    if (attempt > 0) {
      Resync();
      source->Seek(0, StreamIO::SEEK_FROM_START);
    }
    m_pStream->Purge();
    SetTransferTimeout(chunkSize, 2);
    if (m_blockBuffer.empty()) m_blockBuffer.resize(size_t(chunkSize));
    std::vector<BYTE> header{0xC9, kBlockRequest, kTransferHeader, BYTE(checkFlags ? 1 : 0)};
    PutLe32(header, DWORD(totalSize));
    PutLe24(header, DWORD(chunkSize));
    if (!WriteAll(header.data(), int(header.size()))) continue;

    int done = 0;
    int reported = 0;
    bool failed = false;
    while (done < totalSize && !failed) {
      if (IsAborted()) return 0;
      const int percent = int(LONGLONG(done) * 100 / totalSize);
      if (percent > reported) {
        ReportProgress(callback, percent, 1, 0);
        reported = percent;
      }
      const int length = std::min(chunkSize, totalSize - done);
      if (source->Read(m_blockBuffer.data(), length) != length) return 0;
      if (!TrySendChunk(m_blockBuffer.data(), length, checkFlags)) {
        failed = true;
        break;
      }
      BYTE status = 0xFF;
      if (m_pStream->Read(&status, 1) == 1 && status == 0x00) {
        done += length;
        continue;
      }
      BYTE mark = 0;
      if (status == kChunkRepeat && m_pStream->Read(&mark, 1) == 1 && mark == kRepeatMark) {
        // The instrument asks for the chunk once more; a second refusal gives up this try.
        status = 0xFF;
        if (TrySendChunk(m_blockBuffer.data(), length, checkFlags) && m_pStream->Read(&status, 1) == 1 &&
            status == 0x00) {
          done += length;
          continue;
        }
        failed = true;
        break;
      }
      if (!Resync()) Resync();
      failed = true;
    }
    if (!failed) {
      ReportProgress(callback, 100, 1, 0);
      return totalSize;
    }
  }
  return 0;
}

int CJvCommands::WriteWhole(StreamIO::CIoStream* source, int totalSize, int checkFlags, CCallback* callback) {
  m_blockBuffer.resize(size_t(totalSize));
  if (source->Read(m_blockBuffer.data(), totalSize) != totalSize) return 0;
  std::vector<BYTE> frame{0xC6, kBlockRequest, kTransferHeader, BYTE(checkFlags ? 1 : 0)};
  PutLe32(frame, DWORD(totalSize));
  frame.insert(frame.end(), m_blockBuffer.begin(), m_blockBuffer.end());
  AppendChecks(frame, m_blockBuffer.data(), totalSize, checkFlags, false);

  for (int attempt = 0; attempt < kTries; ++attempt) {
    if (attempt > 0) {
      Resync();
      source->Seek(0, StreamIO::SEEK_FROM_START);
    }
    m_pStream->Purge();
    SetTransferTimeout(totalSize, 2);
    // Over a network link a large block takes a while: announce the wait.
    if (totalSize > 10000 && dynamic_cast<StreamIO::CIpStream*>(m_pStream))
      ReportProgress(callback, 0, 1, totalSize / 250);
    if (!WriteAll(frame.data(), int(frame.size()))) continue;
    BYTE status = 0xFF;
    if (m_pStream->Read(&status, 1) == 1 && status == 0x00) return totalSize;
  }
  return 0;
}

bool CJvCommands::Resync() {
  try {
    m_pStream->SetTimeouts(2500, 500);
    for (int round = 0; round < 3; ++round) {
      if (!WriteAll(kWakeUp, int(sizeof kWakeUp))) return false;
      Sleep(50);
      for (int i = 0; i < 3; ++i) {
        BYTE answer = 0;
        if (m_pStream->Read(&answer, 1) != 1) break;
        if (answer == kResyncAnswer) return true;
      }
    }
    return false;
  } catch (const CFileException&) {
    return false;
  }
}

}  // namespace Device
