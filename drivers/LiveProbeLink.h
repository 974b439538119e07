#pragma once
// The Bluetooth module between a live probe and the PC: its own text words about itself, its
// link-state words ("BLE_CON_NOK", "BLE_RDY"), raw texts and packets past the probe's
// protocol, and the reset of the module's link.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

namespace Device {

class CJvCommands;

class CLiveProbeLink {
 public:
  // `resetWord` restarts the module's link: "BBE" on the Leeb probe, "BBoEx" on the others.
  explicit CLiveProbeLink(const char16_t* resetWord) : m_resetWord(resetWord) {}

  // A module word answered with a value; link-state words and "?" are dropped with the lines
  // behind them and the word is asked again, up to `tries` times. On failure `text` holds the
  // last dropped answer, if any.
  static bool ModuleQuery(CJvCommands* commands, const CString& command, CString& text, int tries);
  // DLE, the text and CR in one write; the reply as text, empty when none came.
  static CString SendRawText(CJvCommands* commands, const CString& text);
  // The bytes as they are; the reply's count (at most `replySize` and 50 bytes are kept), 0 for
  // none, -1 when the write failed.
  static int SendRawBytes(CJvCommands* commands, const BYTE* bytes, int count, BYTE* reply, int replySize);
  // A text command that must be answered exactly "ok".
  static bool WriteWord(CJvCommands* commands, const CString& command);
  // A text command that any answer acknowledges.
  static bool SendWord(CJvCommands* commands, const CString& command);
  // After a lost link the reset word goes twice; otherwise the module's own reset packet
  // comes first, then after `waitMs` the reset word. Replies are not checked.
  bool ResetZedo(CJvCommands* commands, bool afterLinkLoss, DWORD waitMs) const;

 private:
  const char16_t* m_resetWord;
};

}  // namespace Device
