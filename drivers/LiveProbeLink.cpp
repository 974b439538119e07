#include "drivers/LiveProbeLink.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "device/JvCommands.h"
#include "device/streamio/IoStream.h"
#include "drivers/LiveProbeProtocol.h"
#include "platform/base/Clock.h"

namespace Device {
namespace {

constexpr int kModuleQueryTimeoutMs = 400;
constexpr int kDroppedLinesLimit = 6;
constexpr int kRawTimeoutMs = 1000;
constexpr int kRawTextReplyLimit = 255;
constexpr int kRawBytesReplyLimit = 50;
constexpr DWORD kResetPauseMs = 100;
// The module's own reset packet.
constexpr BYTE kModuleReset[] = {0x01, 0x3B, 0x00, 0x00, 0xC4, 0xFF, 0x17};

bool IsLinkStateAnswer(const char* reply) {
  return std::strcmp(reply, "BLE_CON_NOK") == 0 || std::strcmp(reply, "BLE_RDY") == 0 ||
         std::strcmp(reply, "?") == 0;
}

StreamIO::CIoStream* StreamOf(CJvCommands* commands) { return commands ? commands->GetStream() : nullptr; }

}  // namespace

bool CLiveProbeLink::ModuleQuery(CJvCommands* commands, const CString& command, CString& text, int tries) {
  if (command.IsEmpty() || tries <= 0 || !commands) return false;
  commands->GetStream()->Purge();
  for (int attempt = 0; attempt < tries; ++attempt) {
    char reply[kLiveProbeReplySize + 1] = {};
    if (commands->TextCommand(command, reply, kLiveProbeReplySize, kModuleQueryTimeoutMs) <= 0) continue;
    text = CString::FromAnsi(reply);
    if (!IsLinkStateAnswer(reply)) return true;
    // The module tells its link state and may say more: its lines are dropped before the
    // word is asked again.
    char line[kLiveProbeReplySize];
    for (int dropped = 0; dropped < kDroppedLinesLimit && commands->ReadLine(line, sizeof line) > 0;
         ++dropped) {
    }
  }
  return false;
}

CString CLiveProbeLink::SendRawText(CJvCommands* commands, const CString& text) {
  StreamIO::CIoStream* stream = StreamOf(commands);
  if (!stream) return CString();
  stream->SetTimeouts(kRawTimeoutMs, kRawTimeoutMs);
  std::string bytes(1, char(CJvCommands::kDle));
  bytes += text.ToAnsi();
  bytes += '\r';
  if (stream->Write(bytes.data(), int(bytes.size())) != int(bytes.size())) return CString();
  char reply[kRawTextReplyLimit + 1] = {};
  const int got = stream->Read(reply, kRawTextReplyLimit);
  return got > 0 ? CString::FromAnsi(std::string(reply, size_t(got)).c_str()) : CString();
}

int CLiveProbeLink::SendRawBytes(CJvCommands* commands, const BYTE* bytes, int count, BYTE* reply,
                                 int replySize) {
  StreamIO::CIoStream* stream = StreamOf(commands);
  if (!stream || !bytes || count <= 0) return -1;
  stream->SetTimeouts(kRawTimeoutMs, kRawTimeoutMs);
  if (stream->Write(bytes, count) != count) return -1;
  BYTE buffer[kLiveProbeReplySize];
  const int got = stream->Read(buffer, kRawBytesReplyLimit);
  if (got <= 0) return 0;
  // The caller's buffer takes what fits in it.
  const int kept = std::min(got, std::max(replySize, 0));
  if (reply && kept > 0) std::memcpy(reply, buffer, size_t(kept));
  return kept;
}

bool CLiveProbeLink::WriteWord(CJvCommands* commands, const CString& command) {
  char reply[kLiveProbeReplySize] = {};
  return commands &&
         commands->TextCommand(command, reply, kLiveProbeReplySize, kLiveProbeWordTimeoutMs) > 0 &&
         std::strcmp(reply, "ok") == 0;
}

bool CLiveProbeLink::SendWord(CJvCommands* commands, const CString& command) {
  char reply[kLiveProbeReplySize] = {};
  return commands && commands->TextCommand(command, reply, kLiveProbeReplySize, kLiveProbeWordTimeoutMs) > 0;
}

bool CLiveProbeLink::ResetZedo(CJvCommands* commands, bool afterLinkLoss, DWORD waitMs) const {
  if (afterLinkLoss) {
    SendRawText(commands, m_resetWord);
    Sleep(kResetPauseMs);
    SendRawText(commands, m_resetWord);
    return true;
  }
  BYTE reply[kLiveProbeReplySize];
  SendRawBytes(commands, kModuleReset, int(sizeof kModuleReset), reply, int(sizeof reply));
  Sleep(waitMs);
  if (StreamIO::CIoStream* stream = StreamOf(commands)) stream->Purge();
  SendRawText(commands, m_resetWord);
  return true;
}

}  // namespace Device
