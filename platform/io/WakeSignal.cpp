#include "platform/io/WakeSignal.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <new>

#include "platform/base/Clock.h"

CWakeSignal::CWakeSignal() : m_fd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  // Without it no blocked read could be woken; the process is out of descriptors.
  if (m_fd < 0) throw std::bad_alloc();
}

CWakeSignal::~CWakeSignal() { close(m_fd); }

void CWakeSignal::Raise() {
  std::lock_guard lock(m_lock);
  if (m_waits == 0) return;
  std::uint64_t one = 1;
  // A full counter already wakes every wait, so a refused increment loses nothing.
  [[maybe_unused]] auto ignored = write(m_fd, &one, sizeof one);
}

bool CWakeSignal::WaitRaised(DWORD milliseconds) {
  using SteadyClock = std::chrono::steady_clock;
  const auto deadline = SteadyClock::now() + ScaledDuration(milliseconds);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - SteadyClock::now());
    pollfd fd{m_fd, POLLIN, 0};
    const int ready = ::poll(&fd, 1, left.count() <= 0 ? 0 : int((left.count() + 999) / 1000));
    if (ready > 0) return true;
    if (ready == 0 || errno != EINTR) return false;
  }
}

bool CWakeSignal::IsRaised() const {
  pollfd fd{m_fd, POLLIN, 0};
  return ::poll(&fd, 1, 0) > 0;
}

void CWakeSignal::Drain() {
  std::uint64_t count;
  // Non-blocking: an empty counter simply reports EAGAIN.
  [[maybe_unused]] auto ignored = read(m_fd, &count, sizeof count);
}

CWakeSignal::CWaitScope::CWaitScope(CWakeSignal& signal) : m_signal(signal) {
  std::lock_guard lock(m_signal.m_lock);
  ++m_signal.m_waits;
}

CWakeSignal::CWaitScope::~CWaitScope() {
  std::lock_guard lock(m_signal.m_lock);
  if (--m_signal.m_waits == 0) m_signal.Drain();
}
