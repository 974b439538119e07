// The ZD-2's debug protocol: ASCII commands of a hexadecimal argument and one lower-case
// letter, which read and write the information memory, move the drive, set test parameters
// and start the stream of live values. Each command is followed by the pause the instrument
// needs to act on it.

#include <string>

#include "device/VexalonDevice.h"
#include "platform/base/Clock.h"
#include "platform/base/FileException.h"

namespace Device {
namespace {

constexpr BYTE kDebugModeRequest = 0xD2;
constexpr BYTE kModeDebugProtocol = 4;
constexpr int kDebugModeRequestTimeoutMs = 3000;
constexpr int kCommandPauseMs = 100;
constexpr int kContinuousPauseMs = 500;
constexpr int kLeavePauseMs = 200;
constexpr int kRestartPauseMs = 2000;
constexpr WORD kInfoSegmentStart = 0x1000;
constexpr WORD kInfoSegmentSize = 0x40;
constexpr WORD kCalibrationDateAddress = 0x1004;
constexpr int kCalibrationDateLength = 10;
constexpr WORD kCalibratorIdAddress = 0x103A;
constexpr int kCalibratorIdLength = 4;
constexpr int kEraseAttempts = 3;
constexpr char kWriteRefused = 'f';

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

}  // namespace

int HexPairToByte(char high, char low) {
  const int h = HexDigit(high);
  const int l = HexDigit(low);
  if (h < 0 || l < 0) return -1;
  return h * 16 + l;
}

bool IsLiveValueTag(char ch) { return ch >= 'a' && ch <= 'd'; }

const char16_t* GetDriveStateName(int state) {
  switch (state) {
    case 0:
      return u"STOP";
    case 1:
      return u"BACK";
    case 2:
      return u"START";
    case 3:
      return u"RAMPING";
    case 4:
      return u"FIXED SPEED";
    case 5:
      return u"HOLD FORCE";
    default:
      return u"Unknown";
  }
}

bool CVexalonDevice::EnterDebugProtocol() {
  if (m_remote) return true;
  StreamIO::CIoStream* stream = GetStream();
  if (!stream) return false;
  try {
    if (!stream->SetTimeouts(kDebugModeRequestTimeoutMs, kDebugModeRequestTimeoutMs)) return false;
    BYTE buffer[1] = {kModeDebugProtocol};
    if (BinaryRequest(kDebugModeRequest, 1, buffer, sizeof buffer, kDebugModeRequestTimeoutMs) >= 240)
      return false;
    stream->Purge();
    m_remote = true;
    Sleep(kLeavePauseMs);
    return true;
  } catch (const CFileException&) {
    return false;
  }
}

bool CVexalonDevice::LeaveDebugProtocol(bool restart, bool force) {
  if (!force && !m_remote) return true;
  if (!GetStream()) return false;
  // A forced exit first switches an instrument that is not in the protocol yet, so that the
  // leave command reaches it as one; the command goes out even when the switch was refused.
  EnterDebugProtocol();
  try {
    GetStream()->Purge();
    const std::string command = restart ? "C0C1r" : "0000x";
    // An instrument that did not get the whole command is still in the debug protocol.
    if (GetStream()->Write(command.data(), int(command.size())) != int(command.size())) return false;
    if (restart) Sleep(kRestartPauseMs);
    // The frames the instrument sent before it took the command must have come, so that what
    // follows purges them: the pause is as long in real time as a time-out of its length.
    SleepTimeout(kLeavePauseMs);
    m_remote = false;
    return true;
  } catch (const CFileException&) {
    return false;
  }
}

bool CVexalonDevice::SendDebugCommand(const CString& command, int pauseMs) {
  StreamIO::CIoStream* stream = GetStream();
  if (!stream) return false;
  try {
    const std::string bytes = command.ToAnsi();
    stream->Write(bytes.data(), int(bytes.size()));
    Sleep(DWORD(pauseMs));
    return true;
  } catch (const CFileException&) {
    return false;
  }
}

bool CVexalonDevice::SendDebugValue(WORD value, char letter) {
  if (!EnterDebugProtocol()) return false;
  CString command;
  command.Format(u"%04X%c", value, char16_t(letter));
  return SendDebugCommand(command, kCommandPauseMs);
}

bool CVexalonDevice::ReadMemoryWord(WORD address, WORD& value) {
  if (!EnterDebugProtocol()) return false;
  StreamIO::CIoStream* stream = GetStream();
  try {
    CString command;
    command.Format(u"%04Xs", address);
    if (!SendDebugCommand(command, kCommandPauseMs)) return false;
    stream->Purge();
    if (!SendDebugCommand(u"0002n", kCommandPauseMs)) return false;
    char answer[4];
    for (int i = 0; i < 4; i += 2) {
      if (stream->Read(answer + i, 2) != 2) return false;
    }
    // The read is ended either way; only a complete answer of hexadecimal digits is a value.
    const int low = HexPairToByte(answer[0], answer[1]);
    const int high = HexPairToByte(answer[2], answer[3]);
    if (!SendDebugCommand(u"0000n", kCommandPauseMs)) return false;
    stream->Purge();
    if (low < 0 || high < 0) return false;
    value = WORD(low | (high << 8));
    return true;
  } catch (const CFileException&) {
    return false;
  }
}

bool CVexalonDevice::SetMemoryAddress(WORD address) {
  CString command;
  command.Format(u"%04Xs", address);
  if (!SendDebugCommand(command, kCommandPauseMs)) return false;
  try {
    GetStream()->Purge();
    return true;
  } catch (const CFileException&) {
    return false;
  }
}

bool CVexalonDevice::WriteMemoryByte(WORD address, BYTE value) {
  StreamIO::CIoStream* stream = GetStream();
  const BYTE check = BYTE((address >> 8) + (address & 0xFF) + value);
  CString command;
  command.Format(u"%02X%02Xw", value, check);
  if (!SendDebugCommand(command, kCommandPauseMs)) return false;
  try {
    char answer = 0;
    const int got = stream->Read(&answer, 1);
    stream->Purge();
    return got == 1 && answer != kWriteRefused;
  } catch (const CFileException&) {
    return false;
  }
}

bool CVexalonDevice::WriteMemory(WORD address, const BYTE* bytes, int count) {
  if (!GetStream() || (!bytes && count > 0)) return false;
  if (!SetMemoryAddress(address)) return false;
  for (int i = 0; i < count; ++i) {
    if (!WriteMemoryByte(WORD(address + i), bytes[i])) return false;
  }
  return true;
}

bool CVexalonDevice::EraseSegment(WORD address) {
  if (!EnterDebugProtocol()) return false;
  StreamIO::CIoStream* stream = GetStream();
  bool erased = false;
  try {
    CString command;
    command.Format(u"%04Xs", address);
    if (SendDebugCommand(command, kCommandPauseMs)) {
      stream->Purge();
      // The instrument takes the address's two's complement as a 32-bit number, so that a
      // stray argument cannot erase by accident.
      command.Format(u"%04Xe", DWORD(0) - DWORD(address));
      if (SendDebugCommand(command, kCommandPauseMs)) {
        char answer = 0;
        erased = stream->Read(&answer, 1) == 1 && answer != kWriteRefused;
      }
      stream->Purge();
    }
  } catch (const CFileException&) {
    erased = false;
  }
  Sleep(kCommandPauseMs);
  return erased;
}

bool CVexalonDevice::EraseInfoSegment(int segment) {
  if (segment < 1 || segment > 3) return false;
  const WORD address = WORD(kInfoSegmentStart + (segment - 1) * kInfoSegmentSize);
  for (int attempt = 0; attempt < kEraseAttempts; ++attempt) {
    if (EraseSegment(address)) return true;
  }
  return false;
}

bool CVexalonDevice::WriteCalibrationDate(const CString& text) {
  if (!EnterDebugProtocol()) return false;
  if (text.GetLength() > kCalibrationDateLength) return false;
  BYTE bytes[kCalibrationDateLength];
  for (int i = 0; i < text.GetLength(); ++i) bytes[i] = BYTE(text[i] & 0xFF);
  return WriteMemory(kCalibrationDateAddress, bytes, text.GetLength());
}

bool CVexalonDevice::WriteCalibratorId(const CString& text) {
  if (!EnterDebugProtocol()) return false;
  const int count = text.GetLength() < kCalibratorIdLength ? text.GetLength() : kCalibratorIdLength;
  BYTE bytes[kCalibratorIdLength];
  for (int i = 0; i < count; ++i) bytes[i] = BYTE(text[i] & 0xFF);
  return WriteMemory(kCalibratorIdAddress, bytes, count);
}

bool CVexalonDevice::SetDriveState(int state) { return SendDebugValue(WORD(state), 'g'); }

bool CVexalonDevice::SetRampSpeed(int newtonsPerSecond) {
  return SendDebugValue(WORD(newtonsPerSecond), 'i');
}

bool CVexalonDevice::SetNominalLoad(int newtons) { return SendDebugValue(WORD(newtons), 'f'); }

bool CVexalonDevice::SetUFlag(bool on) { return SendDebugValue(on ? 1 : 0, 'u'); }

bool CVexalonDevice::SetZFlag(bool on) { return SendDebugValue(on ? 1 : 0, 'z'); }

bool CVexalonDevice::SetContinuousMode(bool on) {
  if (!EnterDebugProtocol()) return false;
  try {
    GetStream()->Purge();
    if (!SendDebugCommand(on ? u"0000s" : u"0001s", kContinuousPauseMs)) return false;
    GetStream()->Purge();
    return true;
  } catch (const CFileException&) {
    return false;
  }
}

bool CVexalonDevice::SetReadAddresses() {
  static const struct {
    WORD address;
    const char16_t* letter;
  } kSources[] = {{0x1111, u"a"}, {0x1110, u"b"}, {0x1113, u"c"}, {0x1112, u"d"}};
  for (const auto& source : kSources) {
    CString command;
    command.Format(u"%04X%s", source.address, source.letter);
    if (!SendDebugCommand(command, kCommandPauseMs)) return false;
  }
  return true;
}

}  // namespace Device
