#include "tests/sim/Peer.h"

#include <algorithm>
#include <thread>
#include <utility>

#include "platform/base/Clock.h"
#include "tests/sim/Script.h"

namespace Sim {

namespace {

// The index a fault's offset names in a reply of `size` bytes, or -1 when outside it.
int FaultIndex(int offset, size_t size) {
  const int index = offset < 0 ? int(size) + offset : offset;
  return index >= 0 && index < int(size) ? index : -1;
}

}  // namespace

CPeer::CPeer(std::unique_ptr<CLink> link) : m_link(std::move(link)) {}

CPeer::~CPeer() { Stop(); }

void CPeer::Start(Session session) {
  if (m_thread.joinable()) {
    Fail("the peer was started twice");
    return;
  }
  {
    std::lock_guard lock(m_mutex);
    m_sessionDone = false;
  }
  m_thread = std::thread([this, session = std::move(session)] { Run(session); });
}

void CPeer::Start(const CScript& script) {
  Start([script](CPeer& peer) { script.Run(peer); });
}

void CPeer::Run(Session session) {
  session(*this);
  {
    std::lock_guard lock(m_mutex);
    m_sessionDone = true;
  }
  m_changed.notify_all();
  BYTE scratch[4096];
  while (!IsStopping()) ReceiveSome(scratch, sizeof scratch, -1);
}

bool CPeer::WaitSessionEnd(int timeoutMs) {
  std::unique_lock lock(m_mutex);
  return m_changed.wait_for(lock, TimeoutDuration(DWORD(timeoutMs)), [this] { return m_sessionDone; });
}

void CPeer::Stop() {
  if (!m_thread.joinable()) return;
  m_link->Shutdown();
  m_thread.join();
}

std::vector<BYTE> CPeer::Transcript() const {
  std::lock_guard lock(m_mutex);
  return m_transcript;
}

bool CPeer::WaitForTranscript(size_t count, int timeoutMs) const {
  std::unique_lock lock(m_mutex);
  return m_changed.wait_for(lock, TimeoutDuration(DWORD(timeoutMs)),
                            [&] { return m_transcript.size() >= count; });
}

void CPeer::ClearTranscript() {
  std::lock_guard lock(m_mutex);
  m_transcript.clear();
}

void CPeer::SetByteRate(int bytesPerSecond) {
  m_inPacer.SetRate(bytesPerSecond);
  m_outPacer.SetRate(bytesPerSecond);
}

void CPeer::InjectFault(const SFault& fault) {
  std::lock_guard lock(m_mutex);
  m_armedFault = fault;
}

void CPeer::RequestHangup() { m_link->RequestHangup(); }

SFault CPeer::TakeArmedFault() {
  std::lock_guard lock(m_mutex);
  return std::exchange(m_armedFault, SFault{});
}

std::vector<std::string> CPeer::Failures() const {
  std::lock_guard lock(m_mutex);
  return m_failures;
}

bool CPeer::IsStopping() const { return m_link->IsShutDown(); }

int CPeer::ReceiveSome(BYTE* buffer, int maxCount, int timeoutMs) {
  if (maxCount <= 0 || IsStopping()) return 0;
  const int got = m_link->Receive(buffer, m_inPacer.ChunkSize(maxCount), timeoutMs);
  if (got <= 0) return 0;
  {
    std::lock_guard lock(m_mutex);
    m_transcript.insert(m_transcript.end(), buffer, buffer + got);
  }
  m_changed.notify_all();
  m_inPacer.Take(got, [this] { return IsStopping(); });
  return got;
}

bool CPeer::Receive(BYTE* buffer, int count, int timeoutMs) {
  const auto deadline = timeoutMs < 0 ? std::chrono::steady_clock::time_point::max()
                                      : std::chrono::steady_clock::now() + TimeoutDuration(DWORD(timeoutMs));
  int done = 0;
  while (done < count) {
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline || IsStopping()) return false;
    int leftMs = -1;
    if (timeoutMs >= 0) {
      const double realMs = std::chrono::duration<double, std::milli>(deadline - now).count();
      leftMs = std::max(1, int(realMs * GetTimeScale()));
    }
    done += ReceiveSome(buffer + done, count - done, leftMs);
  }
  return true;
}

bool CPeer::Send(const std::vector<BYTE>& reply) { return Send(reply, TakeArmedFault()); }

bool CPeer::Send(const std::vector<BYTE>& reply, const SFault& fault) {
  std::vector<BYTE> bytes = reply;
  const int index = FaultIndex(fault.offset, bytes.size());
  switch (fault.kind) {
    case SFault::eNone:
      break;
    case SFault::eCorruptByte:
      if (index >= 0) bytes[size_t(index)] = BYTE(~bytes[size_t(index)]);
      break;
    case SFault::eDropByte:
      if (index >= 0) bytes.erase(bytes.begin() + index);
      break;
    case SFault::eSilence:
      return true;
    case SFault::eStall:
    case SFault::eHangup: {
      const int before = index >= 0 ? index : int(bytes.size());
      if (!SendPaced(bytes.data(), before)) return false;
      if (fault.kind == SFault::eHangup) {
        Hangup();
        return true;
      }
      PauseFor(TimeoutDuration(DWORD(std::max(fault.stallMs, 0))));
      return SendPaced(bytes.data() + before, int(bytes.size()) - before);
    }
  }
  return SendPaced(bytes.data(), int(bytes.size()));
}

bool CPeer::SendPaced(const BYTE* data, int count) {
  int sent = 0;
  while (sent < count) {
    const int chunk = m_outPacer.ChunkSize(count - sent);
    if (!m_outPacer.Take(chunk, [this] { return IsStopping(); })) return false;
    if (!m_link->Send(data + sent, chunk)) return false;
    sent += chunk;
  }
  return true;
}

void CPeer::Pause(int ms) { PauseFor(ScaledDuration(DWORD(std::max(ms, 0)))); }

void CPeer::PauseFor(std::chrono::steady_clock::duration length) {
  const auto until = std::chrono::steady_clock::now() + length;
  while (!IsStopping() && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
        until - std::chrono::steady_clock::now(), std::chrono::milliseconds(5)));
}

void CPeer::Hangup() { m_link->Hangup(); }

void CPeer::Fail(const std::string& message) {
  std::lock_guard lock(m_mutex);
  m_failures.push_back(message);
}

}  // namespace Sim
