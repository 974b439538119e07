// Record uploads of the command layer: hexadecimal service records in checked SOH packets,
// S-records acknowledged one by one, and byte strings answered by a one-character echo.

#include <algorithm>
#include <string>
#include <string_view>

#include "device/HexText.h"
#include "device/JvCommands.h"
#include "device/streamio/IoStream.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/FileException.h"

namespace Device {

namespace {

constexpr int kPieceBytes = 32;
constexpr int kRecordAttempts = 6;
constexpr int kAnswerSize = 7;
constexpr std::string_view kSeparator = "\r\n:";
// The header line: 12 characters, of which 10 and 11 are "00", then the separator.
constexpr size_t kHeaderLength = 12;
constexpr size_t kPrefixChars = 10;

constexpr BYTE kSoh = 0x01;
constexpr BYTE kEtb = 0x17;

// One packet: its leading bytes, the additive check over them and the closing ETB.
std::vector<BYTE> Packet(std::vector<BYTE> bytes) {
  PutLe16(bytes, CJvCommands::Checksum16(bytes.data(), int(bytes.size())));
  bytes.push_back(kEtb);
  return bytes;
}

bool IsAcknowledge(const BYTE* answer) {
  return answer[0] == kSoh && answer[4] == 0xFF && answer[5] == 0xFF && answer[6] == kEtb;
}

enum class NRecordResult { eSent, eRetry, eInvalid };

}  // namespace

bool CJvCommands::ReadSource(StreamIO::CIoStream* source, int byteCount, std::string& text) {
  if (!source || !source->IsOpen() || byteCount <= 0) return false;
  text.assign(size_t(byteCount), '\0');
  return source->Read(text.data(), byteCount) == byteCount;
}

bool CJvCommands::SendPacket(const std::vector<BYTE>& packet) {
  if (!WriteAll(packet.data(), int(packet.size()))) return false;
  BYTE answer[kAnswerSize];
  return ReadExactly(answer, kAnswerSize) && IsAcknowledge(answer);
}

int CJvCommands::ServiceRecordDownload(StreamIO::CIoStream* source, int byteCount, CCallback* callback) {
  std::string text;
  try {
    if (!ReadSource(source, byteCount, text)) return 0;
  } catch (const CFileException&) {
    return 0;
  }
  if (text.size() < kHeaderLength + kSeparator.size() || text.compare(10, 2, "00") != 0 ||
      text.compare(kHeaderLength, kSeparator.size(), kSeparator) != 0)
    return 0;

  // Sends one record: its data in 32-byte packets, then its header packet.
  auto sendRecord = [this](std::string_view data, const BYTE* prefix) {
    for (size_t at = 0; at < data.size(); at += 2 * kPieceBytes) {
      std::vector<BYTE> packet{kSoh, 0x37, 0x20, 0x00};
      packet.resize(4 + kPieceBytes);
      if (at + 2 * kPieceBytes > data.size() ||
          HexToBytes(data.data() + at, 2 * kPieceBytes, packet.data() + 4, kPieceBytes) != kPieceBytes)
        return NRecordResult::eInvalid;
      if (!SendPacket(Packet(std::move(packet)))) return NRecordResult::eRetry;
    }
    return SendPacket(Packet({kSoh, 0x39, 0x03, 0x00, prefix[0], prefix[2], prefix[1]}))
               ? NRecordResult::eSent
               : NRecordResult::eRetry;
  };

  size_t position = kHeaderLength + kSeparator.size();
  int reported = 0;
  try {
    for (;;) {
      size_t end = text.find(kSeparator, position);
      if (end == std::string::npos) end = text.size();
      if (position >= text.size() || end - position < 2) break;
      const std::string_view line(text.data() + position, end - position);
      BYTE prefix[5];
      if (line.size() < kPrefixChars || HexToBytes(line.data(), int(kPrefixChars), prefix, 5) != 5) return 0;
      const size_t dataBytes = size_t(prefix[3]) << 8 | prefix[4];
      if (line.size() - kPrefixChars != 2 * dataBytes + 2) return 0;
      const std::string_view data = line.substr(kPrefixChars, 2 * dataBytes);

      NRecordResult result = NRecordResult::eRetry;
      for (int attempt = 0; attempt < kRecordAttempts && result == NRecordResult::eRetry; ++attempt)
        result = sendRecord(data, prefix);
      // A record the instrument never took ends the download as a failure: no position is
      // reported for data that did not arrive.
      if (result != NRecordResult::eSent) return 0;

      position = end + kSeparator.size();
      const int percent = int(std::min(position, text.size()) * 100 / text.size());
      if (percent > reported) {
        ReportProgress(callback, percent, 2, 0);
        reported = percent;
      }
    }
  } catch (const CFileException&) {
    return 0;
  }
  return int(position) - 1;
}

int CJvCommands::SendSRecords(StreamIO::CIoStream* source, int byteCount, CCallback* callback) {
  std::string text;
  int sent = 0;
  try {
    if (!ReadSource(source, byteCount, text)) return 0;
    size_t start = text.find('S');
    int reported = 0;
    while (start < text.size()) {
      size_t next = text.find('S', start + 1);
      if (next == std::string::npos) next = text.size();
      const int length = int(next - start);
      if (!WriteAll(text.data() + start, length)) return 0;
      BYTE answer = 0;
      if (m_pStream->Read(&answer, 1) != 1 || answer != 'P') break;
      sent += length;
      const int percent = int(LONGLONG(sent) * 100 / byteCount);
      if (percent > reported) {
        ReportProgress(callback, percent, 2, 0);
        reported = percent;
      }
      start = next;
    }
  } catch (const CFileException&) {
    return 0;
  }
  return sent;
}

bool CJvCommands::SendWithEcho(const BYTE* bytes, int count, char echo) {
  if (!bytes) return false;
  try {
    if (!WriteAll(bytes, count)) return false;
    if (echo == 0) return true;
    BYTE answer = 0;
    return m_pStream->Read(&answer, 1) == 1 && answer == BYTE(echo);
  } catch (const CFileException&) {
    return false;
  }
}

}  // namespace Device
