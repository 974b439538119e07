#pragma once
// Real time spent in a transport's waits: the streams under test wait on the operating system,
// not on the layer's scaled clock.

#include <chrono>

using SteadyClock = std::chrono::steady_clock;

inline long ElapsedMs(SteadyClock::time_point start) {
  return long(std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start).count());
}
