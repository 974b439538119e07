// The Armivue's small requests of command 210 and its debug protocol.

#include <algorithm>
#include <cstring>

#include "device/JvCommands.h"
#include "drivers/ArmiSmartDevice.h"
#include "platform/base/Clock.h"
#include "platform/base/FileException.h"

namespace Device {
namespace {

constexpr BYTE kRequest = 210;
constexpr int kSmartRequestTimeoutMs = 3000;
constexpr int kRequestTextBufferSize = 100;
constexpr int kShortBufferSize = 10;
constexpr BYTE kReadText = '3';
constexpr BYTE kCode49 = '1';
constexpr BYTE kCode50 = '2';
constexpr BYTE kTextPair = '0';
constexpr BYTE kSwitch = '4';
constexpr BYTE kCode19 = 19;
constexpr BYTE kCode6 = 6;
constexpr BYTE kStart = 2;
constexpr BYTE kPoll = 5;
constexpr int kStartPauseMs = 50;
constexpr int kPollPauseMs = 100;
constexpr int kPollCount = 50;
constexpr BYTE kDebugOpening[] = {0xC1, 0xD2, 0x04};
constexpr int kDebugCommandLength = 5;
constexpr int kDebugOpeningPauseMs = 200;
constexpr int kDebugCommandPauseMs = 50;
constexpr int kDebugReplySize = 99;
constexpr int kSequenceStartPauseMs = 500;
constexpr int kSequenceRoundPauseMs = 200;
constexpr int kSequenceRounds = 100;
constexpr int kRoundReplySize = 3;

int HexDigit(char ch) {
  return ch >= 'A' && ch <= 'F' ? ch - 'A' + 10 : (ch >= '0' && ch <= '9' ? ch - '0' : 0);
}

// Tagged hexadecimal: a tag letter 'a' to 'd' is skipped, then two digits give one byte. The
// bytes are written over the text from its start; their count is returned.
int DecodeTaggedHex(BYTE* bytes, int count) {
  int out = 0;
  int at = 0;
  while (at < count) {
    if (bytes[at] >= 'a' && bytes[at] <= 'd') {
      ++at;
      continue;
    }
    if (at + 1 >= count) break;
    bytes[out++] = BYTE(HexDigit(char(bytes[at])) << 4 | HexDigit(char(bytes[at + 1])));
    at += 2;
  }
  return out;
}

}  // namespace

bool CArmiSmartDevice::CanRequest() { return Commands() && GetStream(); }

int CArmiSmartDevice::Request210(BYTE* buffer, int payloadLength, int bufferSize) {
  return BinaryRequest(kRequest, payloadLength, buffer, bufferSize, kSmartRequestTimeoutMs);
}

bool CArmiSmartDevice::ReadText51(CString& text) {
  text.Empty();
  if (!CanRequest()) return false;
  BYTE buffer[kRequestTextBufferSize] = {kReadText};
  const int result = Request210(buffer, 1, kRequestTextBufferSize);
  if (result < 1 || result >= CJvCommands::kFirstStatus) return false;
  const int length = std::min(result, kRequestTextBufferSize);
  text = CString::FromAnsi(std::string_view(reinterpret_cast<const char*>(buffer), size_t(length)));
  return true;
}

bool CArmiSmartDevice::SendCode49() {
  if (!CanRequest()) return false;
  BYTE buffer[kShortBufferSize] = {kCode49};
  return Request210(buffer, 1, kShortBufferSize) < CJvCommands::kFirstStatus;
}

bool CArmiSmartDevice::SendCode50() {
  if (!CanRequest()) return false;
  BYTE buffer[kShortBufferSize] = {kCode50};
  return Request210(buffer, 1, kShortBufferSize) < CJvCommands::kFirstStatus;
}

bool CArmiSmartDevice::WriteTextPair(const CString& first, const CString& second) {
  if (!CanRequest()) return false;
  const int length = 1 + first.GetLength() + 1 + second.GetLength();
  if (length > CJvCommands::kMaxPayload) return false;
  BYTE buffer[CJvCommands::kMaxPayload] = {kTextPair};
  int at = 1;
  for (int i = 0; i < first.GetLength(); ++i) buffer[at++] = BYTE(first[i]);
  buffer[at++] = ';';
  for (int i = 0; i < second.GetLength(); ++i) buffer[at++] = BYTE(second[i]);
  return Request210(buffer, length, CJvCommands::kMaxPayload) < CJvCommands::kFirstStatus;
}

bool CArmiSmartDevice::WriteSwitch(bool on) {
  if (!CanRequest()) return false;
  BYTE buffer[9];
  std::memcpy(buffer, on ? "406010000" : "406000000", 9);
  return Request210(buffer, 9, 9) < CJvCommands::kFirstStatus;
}

BYTE CArmiSmartDevice::ReadCode19() {
  if (!CanRequest()) return 0;
  BYTE buffer[kRequestTextBufferSize] = {kCode19};
  const int result = Request210(buffer, 1, kRequestTextBufferSize);
  // Only a reply with data puts a byte of the instrument's into the buffer.
  return result >= 1 && result < CJvCommands::kFirstStatus ? buffer[0] : 0;
}

bool CArmiSmartDevice::QueryCode6() {
  if (!CanRequest()) return false;
  BYTE buffer[kShortBufferSize] = {kCode6};
  return Request210(buffer, 1, kShortBufferSize) == 1 && buffer[0] == 0;
}

bool CArmiSmartDevice::StartAndWait() {
  if (!CanRequest()) return false;
  BYTE buffer[kShortBufferSize] = {kStart};
  if (Request210(buffer, 1, kShortBufferSize) >= CJvCommands::kFirstStatus) return false;
  Sleep(kStartPauseMs);
  for (int poll = 0; poll < kPollCount; ++poll) {
    Sleep(kPollPauseMs);
    buffer[0] = kPoll;
    if (Request210(buffer, 1, kShortBufferSize) == 1 && buffer[0] == 0) return true;
  }
  return false;
}

bool CArmiSmartDevice::WriteRaw(const void* bytes, int count) {
  try {
    return GetStream()->Write(bytes, count) == count;
  } catch (const CFileException&) {
    return false;
  }
}

int CArmiSmartDevice::ReadRaw(BYTE* buffer, int count) {
  try {
    return GetStream()->Read(buffer, count);
  } catch (const CFileException&) {
    return 0;
  }
}

bool CArmiSmartDevice::OpenDebug(const char* first) {
  if (!WriteRaw(kDebugOpening, sizeof kDebugOpening)) return false;
  // The opening's answer must have come before the purge below: the pause is as long in real
  // time as a time-out of its length.
  SleepTimeout(kDebugOpeningPauseMs);
  if (!WriteRaw(first, kDebugCommandLength)) return false;
  Sleep(kDebugCommandPauseMs);
  GetStream()->Purge();
  return true;
}

bool CArmiSmartDevice::ReadDebugBlock(BYTE block[kDebugBlockSize]) {
  if (!CanRequest() || !OpenDebug("1000s") || !WriteRaw("002Cn", kDebugCommandLength)) return false;
  BYTE reply[kDebugReplySize] = {};
  const int decoded = DecodeTaggedHex(reply, ReadRaw(reply, kDebugReplySize));
  // A short reply leaves the block incomplete, which is no success.
  if (decoded < kDebugBlockSize) return false;
  std::copy_n(reply, kDebugBlockSize, block);
  return true;
}

bool CArmiSmartDevice::ReadDebugSequence(CString& text) {
  text.Empty();
  if (!CanRequest() || !OpenDebug("1128s") || !WriteRaw("A5A5t", kDebugCommandLength)) return false;
  Sleep(kSequenceStartPauseMs);
  for (int round = 0; round < kSequenceRounds; ++round) {
    if (!WriteRaw("1128s", kDebugCommandLength)) return false;
    Sleep(kSequenceRoundPauseMs);
    if (!WriteRaw("0001n", kDebugCommandLength)) return false;
    Sleep(kSequenceRoundPauseMs);
    BYTE reply[kRoundReplySize] = {};
    if (ReadRaw(reply, kRoundReplySize) != kRoundReplySize) return false;
    text +=
        CString::FromAnsi(std::string_view(reinterpret_cast<const char*>(reply), kRoundReplySize)) + u'\t';
    const BYTE value = BYTE(HexDigit(char(reply[1])) << 4 | HexDigit(char(reply[2])));
    if (!(value & 1)) return true;
  }
  return true;
}

}  // namespace Device
