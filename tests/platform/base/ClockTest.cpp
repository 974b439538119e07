#include <gtest/gtest.h>

#include <chrono>

#include "platform/base/Clock.h"
#include "tests/support/TimeScaleOverride.h"

namespace {

using std::chrono::milliseconds;

struct STimeoutCase {
  double scale;
  DWORD timeoutMs;
  ULONGLONG span;  // scaled ms
  milliseconds real;
};

// Up to two seconds a time-out lasts its length in real time while the clock runs fast; the
// rest runs at the clock's pace. At scale 1 or below it is a plain span of the clock.
const STimeoutCase kTimeouts[] = {
    {1, 5000, 5000, milliseconds(5000)},   {0.5, 1000, 1000, milliseconds(2000)},
    {20, 500, 10000, milliseconds(500)},   {20, 2000, 40000, milliseconds(2000)},
    {20, 5000, 43000, milliseconds(2150)}, {50, 30500, 128500, milliseconds(2570)},
    {20, 0, 0, milliseconds(0)},
};

TEST(ClockTest, ATimeOutLastsItsFirstTwoSecondsInRealTime) {
  CTimeScaleOverride timeScale;
  for (const STimeoutCase& c : kTimeouts) {
    SCOPED_TRACE(std::to_string(c.scale) + " x " + std::to_string(c.timeoutMs) + " ms");
    timeScale.Set(c.scale);
    EXPECT_EQ(TimeoutSpan(c.timeoutMs), c.span);
    EXPECT_EQ(std::chrono::round<milliseconds>(TimeoutDuration(c.timeoutMs)), c.real);
  }
}

TEST(ClockTest, WhatIsLeftOfATimeOutIsATimeOutOfTheRestOfItsSpan) {
  CTimeScaleOverride timeScale;
  const struct {
    double scale;
    ULONGLONG timeoutMs;
    ULONGLONG elapsed;  // scaled ms
    DWORD left;
  } cases[] = {
      {1, 4000, 1500, 2500},
      {1, 4000, 4000, 0},
      // Of 43000 ms of the clock, 42000 are left: the span of a 4000 ms time-out.
      {20, 5000, 1000, 4000},
      {20, 5000, 3000, 2000},
      {20, 500, 9000, 50},
      {20, 5000, 43000, 0},
      {20, 5000, 50000, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.scale) + " x " + std::to_string(c.timeoutMs) + " ms after " +
                 std::to_string(c.elapsed));
    timeScale.Set(c.scale);
    EXPECT_EQ(TimeoutLeft(c.timeoutMs, c.elapsed), c.left);
    if (c.left > 0) {
      EXPECT_EQ(TimeoutSpan(c.left), TimeoutSpan(c.timeoutMs) - c.elapsed);
    }
  }
}

}  // namespace
