#include "drivers/LiveProbeRequests.h"

#include <cstring>

#include "device/JvCommands.h"
#include "device/JvDevice.h"
#include "device/streamio/IoStream.h"
#include "drivers/LiveProbeLink.h"
#include "drivers/LiveProbeProtocol.h"
#include "platform/base/FileException.h"

namespace Device {
namespace {

constexpr BYTE kStatusWord = 52;
constexpr BYTE kParameterCodes[] = {18, 19, 20, 17};
constexpr BYTE kFirstParameterCode = 17;
constexpr BYTE kVersionBlock = 35;
constexpr BYTE kHexId = 65;
constexpr int kStatusTimeoutMs = 50;
constexpr int kVersionTimeoutMs = 4000;
constexpr int kShortestVersionText = 5;
constexpr BYTE kStatusFlag = 0x40;
constexpr int kHexIdSize = 8;
constexpr int kWordsSize = 6;
constexpr int kCorrectionAnswerSize = 4;
constexpr int kFrameHeaderTimeoutMs = 256;
constexpr BYTE kFirstFrameHeader = 0xC1;
constexpr BYTE kLastFrameHeader = 0xCF;
// A header byte announces itself minus this many bytes.
constexpr BYTE kFrameHeaderBase = 0xBF;

// Request 201 with the sub-code as its only payload byte; the count of data bytes or a status.
int ProbeRequest(CJvDevice& device, BYTE subCode, BYTE (&reply)[kLiveProbeReplySize], int timeoutMs) {
  std::memset(reply, 0, sizeof reply);
  reply[0] = subCode;
  return device.BinaryRequest(kLiveProbeRequest, 1, reply, kLiveProbeReplySize, timeoutMs);
}

WORD BigEndianWord(const BYTE* bytes) { return WORD((bytes[0] << 8) | bytes[1]); }

}  // namespace

bool CLiveProbeRequests::ReadStatusBit(CJvDevice& device) {
  BYTE reply[kLiveProbeReplySize];
  return ProbeRequest(device, kStatusWord, reply, kStatusTimeoutMs) == 2 && (reply[0] & kStatusFlag);
}

bool CLiveProbeRequests::ReadParameterSet(CJvDevice& device, CJvCommands* commands, SProbeParameterSet& set) {
  for (BYTE subCode : kParameterCodes) {
    BYTE reply[kLiveProbeReplySize];
    if (ProbeRequest(device, subCode, reply, kLiveProbeRequestTimeoutMs) != 2) return false;
    set.values[subCode - kFirstParameterCode] = BigEndianWord(reply);
  }
  return ReadCoVersion(device, commands, set.version, false);
}

bool CLiveProbeRequests::ReadCoVersion(CJvDevice& device, CJvCommands* commands, SProbeVersionBlock& block,
                                       bool force) {
  if (force || m_cache.version.GetValue() == 0) {
    if (!commands) return false;
    char text[kLiveProbeReplySize] = {};
    if (commands->TextCommand(u"RDCoVe", text, kLiveProbeReplySize, kVersionTimeoutMs) < kShortestVersionText)
      return false;
    m_cache.version = CVersion(CString::FromAnsi(text));
    BYTE reply[kLiveProbeReplySize];
    if (ProbeRequest(device, kVersionBlock, reply, kLiveProbeRequestTimeoutMs) !=
        SProbeVersionBlock::kBlockSize)
      return false;
    std::memcpy(m_cache.block, reply, sizeof m_cache.block);
  }
  block = m_cache;
  return true;
}

bool CLiveProbeRequests::ReadWords(CJvDevice& device, BYTE subCode, SWordTriple& words) {
  BYTE reply[kLiveProbeReplySize];
  if (ProbeRequest(device, subCode, reply, kLiveProbeRequestTimeoutMs) != kWordsSize) return false;
  for (int i = 0; i < 3; ++i) words.values[i] = BigEndianWord(reply + 2 * i);
  return true;
}

bool CLiveProbeRequests::WriteCorrectionA(CJvCommands* commands, const SWordTriple& words) {
  BYTE packet[] = {CJvCommands::kDle, 'W', 'D', 'C', 'o', 'r', 'A', 0, 0, 0, 0, 0, 0, '\r'};
  constexpr int kValuesAt = 7;
  for (int i = 0; i < 3; ++i) {
    packet[kValuesAt + 2 * i] = BYTE(words.values[i] >> 8);
    packet[kValuesAt + 2 * i + 1] = BYTE(words.values[i]);
  }
  BYTE reply[kLiveProbeReplySize];
  return CLiveProbeLink::SendRawBytes(commands, packet, int(sizeof packet), reply, int(sizeof reply)) ==
         kCorrectionAnswerSize;
}

bool CLiveProbeRequests::ReadHexId(CJvDevice& device, CString& text) {
  BYTE reply[kLiveProbeReplySize];
  if (ProbeRequest(device, kHexId, reply, kLiveProbeRequestTimeoutMs) != kHexIdSize &&
      ProbeRequest(device, kHexId, reply, kLiveProbeRequestTimeoutMs) != kHexIdSize)
    return false;
  text.Empty();
  for (int i = 0; i < kHexIdSize; ++i) text.AppendFormat(u"%02X", reply[i]);
  return true;
}

int CLiveProbeRequests::ReadFrame(CJvCommands* commands, BYTE* buffer, int size, int timeoutMs) {
  StreamIO::CIoStream* stream = commands ? commands->GetStream() : nullptr;
  if (!stream || !buffer) return 0;
  try {
    if (!stream->SetTimeouts(kFrameHeaderTimeoutMs, kFrameHeaderTimeoutMs)) return kTimeoutRefused;
    BYTE header = 0;
    if (stream->Read(&header, 1) != 1) return 0;
    if (header < kFirstFrameHeader || header > kLastFrameHeader) {
      stream->Purge();
      return kFrameBroken;
    }
    const int count = header - kFrameHeaderBase;
    if (count > size) {
      stream->Purge();
      return kFrameBroken;
    }
    if (!stream->SetTimeouts(timeoutMs, timeoutMs)) return kTimeoutRefused;
    if (stream->Read(buffer, count) != count) {
      stream->Purge();
      return kFrameBroken;
    }
    return count;
  } catch (const CFileException&) {
    return kFrameBroken;
  }
}

}  // namespace Device
