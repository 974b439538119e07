#include "tests/sim/Script.h"

#include <algorithm>
#include <cstdio>

#include "platform/base/Clock.h"
#include "tests/sim/Peer.h"

namespace Sim {

namespace {

std::vector<BYTE> BytesOf(std::string_view text) { return std::vector<BYTE>(text.begin(), text.end()); }

// The wait for the next expected byte decides that the client failed: a time-out, which lasts
// its span of the scaled clock.
int ExpectWaitMs(int timeoutMs) {
  return int(std::min<ULONGLONG>(TimeoutSpan(ULONGLONG(std::max(timeoutMs, 0))), 0x7FFFFFFF));
}

}  // namespace

std::string CScript::Hex(const std::vector<BYTE>& bytes) {
  std::string text;
  char pair[4];
  for (BYTE b : bytes) {
    std::snprintf(pair, sizeof pair, text.empty() ? "%02X" : " %02X", b);
    text += pair;
  }
  return text;
}

CScript& CScript::Expect(std::vector<BYTE> bytes) {
  const int timeoutMs = m_timeoutMs;
  const size_t index = m_steps.size() + 1;
  m_steps.push_back([bytes = std::move(bytes), timeoutMs, index](CPeer& peer) {
    std::vector<BYTE> got(bytes.size());
    int done = 0;
    while (done < int(bytes.size())) {
      int n = peer.ReceiveSome(got.data() + done, int(bytes.size()) - done, ExpectWaitMs(timeoutMs));
      if (n == 0) break;
      done += n;
    }
    got.resize(size_t(done));
    if (got == bytes) return true;
    peer.Fail("step " + std::to_string(index) + ": expected " + Hex(bytes) + ", received " +
              (got.empty() ? std::string("nothing") : Hex(got)));
    return false;
  });
  return *this;
}

CScript& CScript::ExpectText(std::string_view text) { return Expect(BytesOf(text)); }

CScript& CScript::Skip(int count) {
  const int timeoutMs = m_timeoutMs;
  const size_t index = m_steps.size() + 1;
  m_steps.push_back([count, timeoutMs, index](CPeer& peer) {
    BYTE scratch[4096];
    int done = 0;
    while (done < count) {
      const int n =
          peer.ReceiveSome(scratch, std::min(count - done, int(sizeof scratch)), ExpectWaitMs(timeoutMs));
      if (n == 0) break;
      done += n;
    }
    if (done == count) return true;
    peer.Fail("step " + std::to_string(index) + ": " + std::to_string(count) + " bytes expected, " +
              std::to_string(done) + " came");
    return false;
  });
  return *this;
}

CScript& CScript::Reply(std::vector<BYTE> bytes, SFault fault) {
  m_steps.push_back([bytes = std::move(bytes), fault](CPeer& peer) {
    return fault.kind == SFault::eNone ? peer.Send(bytes) : peer.Send(bytes, fault);
  });
  return *this;
}

CScript& CScript::ReplyText(std::string_view text, SFault fault) { return Reply(BytesOf(text), fault); }

CScript& CScript::Pause(int ms) {
  m_steps.push_back([ms](CPeer& peer) {
    peer.Pause(ms);
    return true;
  });
  return *this;
}

CScript& CScript::Hangup() {
  m_steps.push_back([](CPeer& peer) {
    peer.Hangup();
    return true;
  });
  return *this;
}

CScript& CScript::Then(Step step) {
  m_steps.push_back(std::move(step));
  return *this;
}

CScript& CScript::WithTimeout(int ms) {
  m_timeoutMs = ms;
  return *this;
}

void CScript::Run(CPeer& peer) const {
  for (const Step& step : m_steps)
    if (peer.IsStopping() || !step(peer)) return;
}

}  // namespace Sim
