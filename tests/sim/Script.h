#pragma once
// A scripted exchange: the bytes the client must send and the replies the peer plays back,
// byte for byte, in order. The first step that fails (wrong bytes, a time-out) is recorded in
// the peer's failures and ends the script; the peer then only records what else arrives.
//
//   CScript()
//       .Expect({0x10}).Reply({0x06})              // DLE, acknowledged
//       .ExpectText("GPOW\r").ReplyText("4095\r")
//       .Expect({0xC1, 0xF4, 0x10}).Reply({0x00}, SFault::CorruptByte(-1));

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/WinTypes.h"
#include "tests/sim/Fault.h"

namespace Sim {

class CPeer;

class CScript {
 public:
  using Step = std::function<bool(CPeer&)>;

  // The next bytes must be exactly these.
  CScript& Expect(std::vector<BYTE> bytes);
  CScript& ExpectText(std::string_view text);
  // The next `count` bytes, whatever they hold (they stay in the transcript).
  CScript& Skip(int count);
  CScript& Reply(std::vector<BYTE> bytes, SFault fault = {});
  CScript& ReplyText(std::string_view text, SFault fault = {});
  CScript& Pause(int ms);
  CScript& Hangup();
  // A step of the caller's own; returning false ends the script.
  CScript& Then(Step step);
  // The longest wait for the next byte in the Expect and Skip steps that follow (default
  // 20000 ms, scaled); a slow transfer may take longer as a whole.
  CScript& WithTimeout(int ms);

  void Run(CPeer& peer) const;

  // "C3 10 01" for error texts.
  static std::string Hex(const std::vector<BYTE>& bytes);

 private:
  std::vector<Step> m_steps;
  int m_timeoutMs = 20000;
};

}  // namespace Sim
