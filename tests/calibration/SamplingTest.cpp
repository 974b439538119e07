#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "calibration/LiveLog.h"
#include "calibration/SampleStats.h"
#include "calibration/TestSettings.h"
#include "tests/support/TestEnvironment.h"

namespace {

SSampleStats Stats(std::vector<unsigned> values) {
  SSampleStats stats;
  stats.Compute(values);
  return stats;
}

TEST(SampleStats, MeanRoundsHalvesAwayFromZero) {
  EXPECT_EQ(Stats({1, 2}).mean, 2);
  EXPECT_EQ(Stats({1, 1, 2}).mean, 1);
  const SSampleStats stats = Stats({7, 3, 9});
  EXPECT_EQ(stats.count, 3);
  EXPECT_EQ(stats.minimum, 3);
  EXPECT_EQ(stats.maximum, 9);
  const SSampleStats none = Stats({});
  EXPECT_EQ(none.count + none.minimum + none.mean + none.maximum, 0);
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(LiveLog, WritesTheHeaderAndRowsWithCrLf) {
  const CString path = CString::FromUtf8(TestPath("log.csv"));
  CLiveLog log;
  ASSERT_TRUE(log.Open(500, path));
  SSamplingRow row;
  row.rawText = "0BB80001a";
  row.deltaSeconds = 0.5;
  row.elapsedSeconds = 1.0015;
  row.sampledForce = 3000;
  row.force = {50, 2990, 2995, 3000};
  row.current = {50, 1, 2, 3};
  row.driveState = 3;
  row.lastSampleNumber = 150;
  row.missedSamples = 0;
  log.WriteRow(row, 1);
  log.WriteRow(SSamplingRow(), 2);
  log.Close();
  EXPECT_EQ(
      ReadFile(TestPath("log.csv")),
      "RcvBuff;DeltaT(s);Time(s);SampledForce(N);minForce;meanForce;maxForce;minCurrent(mA);meanCurrent;"
      "maxCurrent;DriveState;Samples;SampleIdx;MissedSamples;\r\n"
      "0BB80001a;0.500;1.002;3000;2990;2995;3000;1;2;3;3;50;150;0;\r\n"
      ";0.000;0.000;0;0;0;0;0;0;0;0;0;0;0;\r\n");
}

TEST(LiveLog, FlushesAboutEveryFiveSeconds) {
  for (const auto& [period, rows] : {std::pair{250, 20}, std::pair{500, 10}, std::pair{1000, 5}}) {
    CLiveLog log;
    ASSERT_TRUE(log.Open(period, CString::FromUtf8(TestPath("flush.csv"))));
    EXPECT_EQ(log.GetFlushInterval(), rows) << period;
    const size_t header = ReadFile(TestPath("flush.csv")).size();
    for (int tick = 1; tick < rows; ++tick) log.WriteRow(SSamplingRow(), tick);
    EXPECT_EQ(ReadFile(TestPath("flush.csv")).size(), header) << "rows reached the file before the flush";
    log.WriteRow(SSamplingRow(), rows);
    EXPECT_GT(ReadFile(TestPath("flush.csv")).size(), header) << period;
  }
}

TEST(LiveLog, NamesTheFileAfterTheLocalTime) {
  PinTimeZone("Europe/Berlin");
  // 2026-07-01 10:20:30 UTC is 12:20:30 in Berlin (summer time).
  EXPECT_EQ(CLiveLog::MakeFileName(1782901230), CString(u"VexalonLog_20260701_122030.csv"));
}

TEST(LiveLog, AFileThatCannotBeCreatedFails) {
  CLiveLog log;
  EXPECT_FALSE(log.Open(500, u"/nonexistent-folder/log.csv"));
  EXPECT_FALSE(log.IsOpen());
}

TEST(TestSettings, FormatsLimitRateAndAreaInTheUnit) {
  STestSettings settings;
  settings.unit = 1;
  settings.area = 1963;
  settings.rate = 100;
  settings.loadLimit = 16000;
  EXPECT_EQ(settings.Format(),
            CString(u"Load Limit: 16.00 kN  Load Rate: 100 N/s  Test Disc Area: 1963 mm2"));
  settings.unit = 0;
  EXPECT_EQ(settings.Format(),
            CString(u"Load Limit: 3597 lbf  Load Rate: 22 lbf/s  Test Disc Area: 3.04 in2"));
}

}  // namespace
