#include "tests/sim/Link.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <chrono>

#include "platform/base/Clock.h"

namespace Sim {

CLink::CLink()
    : m_shutdownFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
      m_hangupFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CLink::~CLink() {
  if (m_shutdownFd >= 0) close(m_shutdownFd);
  if (m_hangupFd >= 0) close(m_hangupFd);
}

void CLink::Shutdown() {
  const uint64_t one = 1;
  // The counter is never read back, so the descriptor stays readable from now on.
  [[maybe_unused]] ssize_t written = write(m_shutdownFd, &one, sizeof one);
}

bool CLink::IsShutDown() const {
  pollfd probe{m_shutdownFd, POLLIN, 0};
  return poll(&probe, 1, 0) > 0;
}

void CLink::RequestHangup() {
  const uint64_t one = 1;
  [[maybe_unused]] ssize_t written = write(m_hangupFd, &one, sizeof one);
}

bool CLink::HangupIfRequested() {
  uint64_t count = 0;
  // Reading resets the counter: several requests before the hang-up make one hang-up.
  if (read(m_hangupFd, &count, sizeof count) != ssize_t(sizeof count)) return false;
  Hangup();
  return true;
}

CLink::Deadline CLink::DeadlineOf(int timeoutMs) {
  if (timeoutMs < 0) return std::nullopt;
  return std::chrono::steady_clock::now() + ScaledDuration(DWORD(timeoutMs));
}

bool CLink::IsPast(const Deadline& deadline) {
  return deadline && std::chrono::steady_clock::now() >= *deadline;
}

int CLink::WaitReadable(int fd, const Deadline& deadline) {
  for (;;) {
    int waitMs = -1;
    if (deadline) {
      auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - std::chrono::steady_clock::now());
      waitMs = left.count() > 0 ? int(left.count()) + 1 : 0;
    }
    pollfd fds[3] = {{m_shutdownFd, POLLIN, 0}, {m_hangupFd, POLLIN, 0}, {fd, POLLIN, 0}};
    int ready = poll(fds, 3, waitMs);
    if (ready < 0) continue;  // interrupted by a signal: wait again for what is left
    if (fds[0].revents) return -1;
    if (fds[1].revents && HangupIfRequested()) return 0;
    if (fds[2].revents) return 1;
    if (IsPast(deadline)) return 0;
  }
}

}  // namespace Sim
