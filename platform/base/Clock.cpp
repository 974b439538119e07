#include "platform/base/Clock.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// The part of every time-out that passes in real time while the clock runs fast.
constexpr ULONGLONG kTimeoutRealPartMs = 2000;

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

void SleepTimeout(DWORD milliseconds) { std::this_thread::sleep_for(TimeoutDuration(milliseconds)); }

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

ULONGLONG TimeoutSpan(ULONGLONG milliseconds) {
  const double scale = Scale().load();
  if (scale <= 1) return milliseconds;
  const ULONGLONG realPart = std::min(milliseconds, kTimeoutRealPartMs);
  return ULONGLONG(std::ceil(double(realPart) * scale)) + (milliseconds - realPart);
}

std::chrono::steady_clock::duration TimeoutDuration(DWORD milliseconds) {
  const double scale = Scale().load();
  if (scale <= 1) return ScaledDuration(milliseconds);
  const DWORD realPart = DWORD(std::min<ULONGLONG>(milliseconds, kTimeoutRealPartMs));
  return std::chrono::milliseconds(realPart) + ScaledDuration(milliseconds - realPart);
}

DWORD TimeoutLeft(ULONGLONG milliseconds, ULONGLONG elapsedMs) {
  const ULONGLONG span = TimeoutSpan(milliseconds);
  if (elapsedMs >= span) return 0;
  const ULONGLONG left = span - elapsedMs;
  const double scale = Scale().load();
  if (scale <= 1) return DWORD(left);
  // Up to its real part a time-out lasts its length in real time; beyond, the rest is scaled.
  const double realPartSpan = double(kTimeoutRealPartMs) * scale;
  if (double(left) <= realPartSpan) return DWORD(std::ceil(double(left) / scale));
  return DWORD(kTimeoutRealPartMs + ULONGLONG(std::ceil(double(left) - realPartSpan)));
}
