#include "tests/sim/Pacer.h"

#include <algorithm>
#include <thread>

#include "platform/base/Clock.h"

namespace Sim {

int CPacer::ChunkSize(int largest) const {
  const int rate = m_rate;
  if (rate <= 0) return largest;
  return std::clamp(rate / 100, 1, largest);
}

bool CPacer::Take(int count, const std::function<bool()>& stopping) {
  const int rate = m_rate;
  if (rate <= 0 || count <= 0) return true;
  using SteadyClock = std::chrono::steady_clock;
  const auto now = SteadyClock::now();
  const auto due = std::max(m_next, now);
  const double realSecondsPerByte = 1.0 / (double(rate) * GetTimeScale());
  m_next = due + std::chrono::duration_cast<SteadyClock::duration>(
                     std::chrono::duration<double>(realSecondsPerByte * count));
  // The bytes pass at `due`; the wait is cut into slices so that a stop is seen quickly.
  while (SteadyClock::now() < due) {
    if (stopping()) return false;
    std::this_thread::sleep_for(
        std::min<SteadyClock::duration>(due - SteadyClock::now(), std::chrono::milliseconds(5)));
  }
  return !stopping();
}

}  // namespace Sim
