#include "platform/base/Clock.h"

#include <atomic>
#include <cstdlib>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

const Clock::time_point& Start() {
  static const Clock::time_point start = Clock::now();
  return start;
}

double ScaleFromEnvironment() {
  const char* text = std::getenv("ZD_TIME_SCALE");
  double scale = text ? std::atof(text) : 1.0;
  return scale > 0 ? scale : 1.0;
}

std::atomic<double>& Scale() {
  static std::atomic<double> scale{ScaleFromEnvironment()};
  return scale;
}

std::int64_t ScaledMicroseconds() {
  auto real = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - Start()).count();
  return std::int64_t(double(real) * Scale().load());
}

}  // namespace

DWORD GetTickCount() { return DWORD(GetTickCount64()); }

ULONGLONG GetTickCount64() { return ULONGLONG(ScaledMicroseconds() / 1000); }

void Sleep(DWORD milliseconds) { std::this_thread::sleep_for(ScaledDuration(milliseconds)); }

bool QueryPerformanceCounterValue(std::int64_t& value) {
  value = ScaledMicroseconds() + 1;  // never 0, which callers take as "no counter"
  return true;
}

std::int64_t PerformanceCounterFrequency() { return 1000000; }

double GetTimeScale() { return Scale().load(); }

void SetTimeScale(double scale) { Scale().store(scale > 0 ? scale : 1.0); }

std::chrono::steady_clock::duration ScaledDuration(DWORD milliseconds) {
  auto real = std::chrono::duration<double, std::milli>(double(milliseconds) / Scale().load());
  return std::chrono::duration_cast<Clock::duration>(real);
}
