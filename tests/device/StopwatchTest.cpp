#include <gtest/gtest.h>

#include "device/Stopwatch.h"
#include "platform/base/Clock.h"
#include "tests/support/TimeScaleOverride.h"

namespace {

TEST(StopwatchTest, ElapsedMillisecondsFromCounterTicks) {
  const ULONGLONG frequency = ULONGLONG(PerformanceCounterFrequency());
  EXPECT_EQ(GetElapsedMs(1000, 1000 + 3 * frequency), 3000u);
  EXPECT_EQ(GetElapsedMs(5, 5 + frequency / 2), 500u);
  EXPECT_EQ(GetElapsedMs(7, 7), 0u);
}

TEST(StopwatchTest, StampsAreNeverZeroAndFollowTheScaledClock) {
  CTimeScaleOverride timeScale(50);
  ULONGLONG start = 0, end = 0;
  QueryTimestamp(start);
  Sleep(500);
  QueryTimestamp(end);
  EXPECT_NE(start, 0u) << "a zero stamp means no stopwatch to the callers";
  EXPECT_GE(GetElapsedMs(start, end), 500u);
}

}  // namespace
