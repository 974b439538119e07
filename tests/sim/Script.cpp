#include "tests/sim/Script.h"

#include <cstdio>

#include "tests/sim/Peer.h"

namespace Sim {

namespace {

std::vector<BYTE> BytesOf(std::string_view text) { return std::vector<BYTE>(text.begin(), text.end()); }

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
      int n = peer.ReceiveSome(got.data() + done, int(bytes.size()) - done, timeoutMs);
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

CScript& CScript::Expect(std::string_view text) { return Expect(BytesOf(text)); }

CScript& CScript::Skip(int count) {
  const int timeoutMs = m_timeoutMs;
  const size_t index = m_steps.size() + 1;
  m_steps.push_back([count, timeoutMs, index](CPeer& peer) {
    std::vector<BYTE> got(size_t(count > 0 ? count : 0));
    if (peer.Receive(got.data(), count, timeoutMs)) return true;
    peer.Fail("step " + std::to_string(index) + ": " + std::to_string(count) + " bytes did not come");
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

CScript& CScript::Reply(std::string_view text, SFault fault) { return Reply(BytesOf(text), fault); }

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
