// The Durimo 3's parameter block: the instrument's measuring part is switched on and asked
// until it is ready, then the block is read or written with request 243, and everything is
// switched off again in reverse order. An instrument that never reports ready is left as the
// polls found it.

#include <cstring>

#include "device/JvCommands.h"
#include "drivers/Durimo3SeDevice.h"
#include "platform/base/Clock.h"

namespace Device {
namespace {

constexpr BYTE kSwitchCode = 0xE0;
constexpr BYTE kSwitchPrefix = 0x0B;
constexpr BYTE kTargetPower = 0xF4;
constexpr BYTE kTargetMeasuring = 0xF0;
constexpr BYTE kTargetBlock = 0x09;
constexpr int kSwitchReplyLength = 4;

constexpr int kReadyPolls = 6;
constexpr DWORD kReadyPollMs = 500;
constexpr int kReadyReplySize = 64;

constexpr BYTE kBlockCode = 0xF3;
constexpr int kBlockTimeoutMs = 4000;
constexpr BYTE kReadHeader[] = {0x0A, 0xF0, 0x00, 0x14};
constexpr BYTE kWriteHeader[] = {0x12, 0xF0, 0x00, 0x14};
constexpr BYTE kCommit[] = {0x1A, 0xF0};
constexpr int kWriteAccepted = 1;

}  // namespace

bool CDurimo3SeDevice::SwitchOn(BYTE target, int zeroBytes) {
  BYTE buffer[kSwitchReplyLength] = {kSwitchPrefix, target, 1, 0x00};
  if (BinaryRequest(kSwitchCode, kSwitchReplyLength, buffer, sizeof buffer, -1) != kSwitchReplyLength)
    return false;
  for (int i = 0; i < zeroBytes; ++i)
    if (buffer[i] != 0) return false;
  return true;
}

void CDurimo3SeDevice::SwitchOff(std::initializer_list<BYTE> targets) {
  for (BYTE target : targets) {
    BYTE buffer[kSwitchReplyLength] = {kSwitchPrefix, target, 0, 0x00};
    // Switching off is tidying up after the answer is known; its result changes nothing.
    BinaryRequest(kSwitchCode, kSwitchReplyLength, buffer, sizeof buffer, -1);
  }
}

bool CDurimo3SeDevice::WaitUntilReady() {
  for (int poll = 0; poll < kReadyPolls; ++poll) {
    Sleep(kReadyPollMs);
    char reply[kReadyReplySize] = {};
    TextQuery(CString(u"PNAM?"), reply, sizeof reply, -1);
    reply[kReadyReplySize - 1] = 0;
    if (std::strstr(reply, "TA")) return true;
  }
  return false;
}

bool CDurimo3SeDevice::ReadBlock(BYTE* block) {
  BYTE buffer[CDurimo3ParameterBlock::kSize] = {};
  std::memcpy(buffer, kReadHeader, sizeof kReadHeader);
  if (BinaryRequest(kBlockCode, sizeof kReadHeader, buffer, sizeof buffer, kBlockTimeoutMs) !=
      CDurimo3ParameterBlock::kSize)
    return false;
  std::memcpy(block, buffer, sizeof buffer);
  return true;
}

bool CDurimo3SeDevice::WriteBlock(const BYTE* block) {
  BYTE buffer[sizeof kWriteHeader + CDurimo3ParameterBlock::kSize] = {};
  std::memcpy(buffer, kWriteHeader, sizeof kWriteHeader);
  std::memcpy(buffer + sizeof kWriteHeader, block, CDurimo3ParameterBlock::kSize);
  if (BinaryRequest(kBlockCode, sizeof buffer, buffer, sizeof buffer, kBlockTimeoutMs) != kWriteAccepted ||
      buffer[0] != CDurimo3ParameterBlock::kSize)
    return false;
  BYTE commit[sizeof kCommit];
  std::memcpy(commit, kCommit, sizeof kCommit);
  return BinaryRequest(kBlockCode, sizeof commit, commit, sizeof commit, kBlockTimeoutMs) == 0;
}

bool CDurimo3SeDevice::ReadParameterBlock(SDurimo3Parameters& parameters) {
  if (!IsConnected()) return false;
  if (!SwitchOn(kTargetPower, kSwitchReplyLength)) return false;
  if (!SwitchOn(kTargetMeasuring, kSwitchReplyLength)) {
    SwitchOff({kTargetPower});
    return false;
  }
  if (!WaitUntilReady()) return false;
  if (!SwitchOn(kTargetBlock, 0)) {
    SwitchOff({kTargetMeasuring, kTargetPower});
    return false;
  }
  BYTE block[CDurimo3ParameterBlock::kSize];
  const bool read = ReadBlock(block);
  if (read) parameters = CDurimo3ParameterBlock::Read(block);
  SwitchOff({kTargetBlock, kTargetMeasuring, kTargetPower});
  return read;
}

bool CDurimo3SeDevice::WriteParameterBlock(const SDurimo3Parameters& parameters) {
  if (!IsConnected()) return false;
  BYTE block[CDurimo3ParameterBlock::kSize];
  if (!CDurimo3ParameterBlock::Write(parameters, block)) return false;
  if (!SwitchOn(kTargetPower, kSwitchReplyLength)) return false;
  if (!SwitchOn(kTargetMeasuring, 1)) {
    SwitchOff({kTargetPower});
    return false;
  }
  if (!WaitUntilReady()) return false;
  if (!SwitchOn(kTargetBlock, 0)) {
    SwitchOff({kTargetMeasuring, kTargetPower});
    return false;
  }
  const bool written = WriteBlock(block);
  SwitchOff({kTargetBlock, kTargetMeasuring, kTargetPower});
  return written;
}

}  // namespace Device
