#include <gtest/gtest.h>

#include "calibration/LoadAverager.h"
#include "device/Stopwatch.h"
#include "platform/base/Clock.h"
#include "tests/support/TimeScaleOverride.h"

namespace {

// Samples are stamped by the test itself, relative to the window's start (taken a moment after
// the averager's own, well within a millisecond), so no clock needs to run.
class LoadAveraging : public ::testing::Test {
 protected:
  CTimeScaleOverride timeScale{1};

  void Open(int windowMs) {
    m_averager.Start(windowMs);
    QueryTimestamp(m_start);
  }

  SLiveSample At(LONGLONG offsetMs, int force) const {
    SLiveSample sample;
    sample.force = force;
    sample.timestamp = ULONGLONG(LONGLONG(m_start) + offsetMs * (PerformanceCounterFrequency() / 1000));
    return sample;
  }

  CLoadAverager m_averager;
  ULONGLONG m_start = 0;
};

TEST_F(LoadAveraging, TakesTheSamplesInsideTheWindowAndNotTheOneThatClosesIt) {
  Open(5000);
  EXPECT_TRUE(m_averager.IsCollecting());
  SLiveSample stale = At(0, 9999);
  stale.timestamp = 0;  // stamped before the window opened
  m_averager.AddSample(stale);
  m_averager.AddSample(At(100, 800));
  m_averager.AddSample(At(2000, 801));
  EXPECT_FALSE(m_averager.IsBeepDue()) << "2000 ms is exactly 40 % of the window, not past it";
  m_averager.AddSample(At(2050, 802));
  EXPECT_TRUE(m_averager.IsBeepDue());
  m_averager.AddSample(At(5000, 803));
  EXPECT_TRUE(m_averager.IsCollecting()) << "the window's last millisecond still counts";
  m_averager.AddSample(At(5050, 9999));
  EXPECT_FALSE(m_averager.IsCollecting());
  m_averager.AddSample(At(5100, 9999));
  EXPECT_EQ(m_averager.GetLoads(), (std::vector<UINT>{800, 801, 802, 803}));
  EXPECT_TRUE(m_averager.GetSecondValues().empty());
}

TEST_F(LoadAveraging, ANewWindowStartsEmpty) {
  Open(1000);
  m_averager.AddSample(At(10, 5));
  m_averager.AddSample(At(1500, 5));
  Open(1000);
  EXPECT_TRUE(m_averager.IsCollecting());
  EXPECT_FALSE(m_averager.IsBeepDue());
  EXPECT_TRUE(m_averager.GetLoads().empty());
}

// At fifty times the pace a window of 2500 ms passes in 50 ms of real time, which a busy
// machine may spend without running the reader at all. An empty window waits for its first
// sample as for an answer: 2 s of real time and the other 500 ms at the clock's pace, 100 500 ms
// of the clock.
TEST_F(LoadAveraging, AnEmptyWindowWaitsForItsFirstSampleAsATimeOut) {
  timeScale.Set(50);
  Open(2500);
  m_averager.AddSample(At(4000, 801));
  EXPECT_TRUE(m_averager.IsCollecting()) << "the window closed without a sample";
  m_averager.AddSample(At(4010, 9999));
  EXPECT_FALSE(m_averager.IsCollecting());
  EXPECT_EQ(m_averager.GetLoads(), std::vector<UINT>{801});
  Open(2500);
  m_averager.AddSample(At(100501, 9999));
  EXPECT_FALSE(m_averager.IsCollecting()) << "a silent instrument leaves the window empty";
  EXPECT_TRUE(m_averager.GetLoads().empty());
}

TEST(LoadAverage, RoundsHalfAwayFromZero) {
  const struct {
    std::vector<UINT> values;
    int mean;
  } cases[] = {{{}, 0}, {{7}, 7}, {{1, 2}, 2}, {{1, 1, 2}, 1}, {{799, 800, 800, 802}, 800}, {{3, 4, 4, 4}, 4}};
  for (const auto& c : cases) EXPECT_EQ(CLoadAverager::Average(c.values), c.mean) << c.values.size();
}

}  // namespace
