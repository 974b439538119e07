#include <gtest/gtest.h>

#include <string>

#include "calibration/VexalonDoc.h"

namespace {

constexpr int kReportFirstSlopeIndex = 3;

CStepMeas Step(int target, int instrument, int reference, bool valid = true, int current = 0,
               int counter = 0) {
  CStepMeas step;
  step.fullScale = 25000;
  step.targetForce = target;
  step.instrumentForce = instrument;
  step.referenceForce = reference;
  step.current = current;
  step.counter = counter;
  step.valid = valid;
  return step;
}

std::u16string Text(const CString& text) { return text.str(); }

class CalibrationReport : public ::testing::Test {
 protected:
  void SetUp() override { m_doc.Reset(); }

  CVexalonDoc m_doc;
};

TEST_F(CalibrationReport, StepTableListsEachStepAndMarksTheFailedOnes) {
  m_doc.m_cycles[0] = {Step(1250, 1260, 1250, true, 310, 12), Step(2500, 2400, 0, false, 0, -3)};
  CString text;
  EXPECT_TRUE(m_doc.FormatStepTable(0, text));
  EXPECT_EQ(Text(text),
            u"Steps: \v2\r\n"
            u"Step \vTargetForce \vZD-2Force \vRefForce \v%DR-Err \v%FS-Err \vCurrent \vCounter \vFailed\r\n"
            u"   1 \v       1250 \v     1260 \v     1250 \v   0.80 \v   0.04 \v    310 \v     12 \v     0\r\n"
            u"<red>   2 \v       2500 \v     2400 \v        0 \v 100.00 \v   9.60 \v      0 \v     -3 \v     "
            u"1</red>\r\n"
            u"\r\n");

  m_doc.m_means = {Step(1250, 1250, 1250)};
  EXPECT_FALSE(m_doc.FormatStepTable(-1, text)) << "a negative index takes the means table";
  EXPECT_EQ(Text(text),
            u"Steps: \v1\r\n"
            u"Step \vTargetForce \vZD-2Force \vRefForce \v%DR-Err \v%FS-Err \vCurrent \vCounter \vFailed\r\n"
            u"   1 \v       1250 \v     1250 \v     1250 \v   0.00 \v   0.00 \v      0 \v      0 \v     0\r\n"
            u"\r\n");
}

TEST_F(CalibrationReport, RawDumpListsEveryEntryUnsignedSignedAndInHexadecimal) {
  m_doc.m_params[kReportFirstSlopeIndex].value = 0xD8F0;
  std::vector<CString> lines;
  std::int64_t lifetime = 5;
  m_doc.FormatInfoMemory(lines, true, &lifetime);
  ASSERT_EQ(lines.size(), 47u);
  EXPECT_EQ(lines[0], u"CALID_LB  Addr:0x1000  Value:[65535  -1  0xFFFF]");
  EXPECT_EQ(lines[3], u"CAL_SLOPE  Addr:0x1012  Value:[55536  -10000  0xD8F0]");
  EXPECT_EQ(lines[46], u"CAL_OFFSET  Addr:0x10ae  Value:[65535  -1  0xFFFF]");
  EXPECT_EQ(lifetime, 5) << "the raw dump gives no counters";
}

TEST_F(CalibrationReport, DecodedDumpGivesIdentifierCountersSlopesAndOffsets) {
  std::vector<CString> lines;
  m_doc.m_params[kReportFirstSlopeIndex].value = 0xD8F0;
  m_doc.FormatInfoMemory(lines, false);
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(lines[0], u"CAL_ID: 0xFFFFFFFF") << "an erased segment 1";
  EXPECT_EQ(lines[1], u"LIFE COUNTER: 4294967295");
  EXPECT_EQ(lines[2], u"CAL COUNTER: 4294967295");
  EXPECT_EQ(lines[3], u"CAL STEP_SIZE: 65535");
  EXPECT_EQ(lines[4], u"CAL_SLOPE 1: -1.00000   CAL_OFFSET 1:     -1");
  EXPECT_EQ(lines[5], u"CAL_SLOPE 2: -0.00010   CAL_OFFSET 2:     -1");

  const std::pair<int, WORD> words[] = {{0, 0x3CC3},  {1, 0xA5A5},  {2, 1250},  {4, 10100},
                                        {23, 0x5678}, {24, 0x1234}, {25, 7},    {26, 0},
                                        {28, 0xFFFE}, {22, 12345},  {46, 32767}};
  for (const auto& [index, value] : words) m_doc.m_params[size_t(index)].value = value;
  std::int64_t lifetime = -1;
  std::int64_t calibration = -1;
  m_doc.FormatInfoMemory(lines, false, &lifetime, &calibration);
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(lines[0], u"CAL_ID: 0xA5A53CC3");
  EXPECT_EQ(lines[1], u"LIFE COUNTER: 305419896");
  EXPECT_EQ(lines[2], u"CAL COUNTER: 7");
  EXPECT_EQ(lines[3], u"CAL STEP_SIZE: 1250");
  EXPECT_EQ(lines[5], u"CAL_SLOPE 2:  1.01000   CAL_OFFSET 2:     -2");
  EXPECT_EQ(lines[23], u"CAL_SLOPE 20:  1.23450   CAL_OFFSET 20:  32767");
  EXPECT_EQ(lifetime, 0x12345678);
  EXPECT_EQ(calibration, 7);
}

// An adjustment whose finishing went through, with one step per cycle.
class AdjustmentReport : public CalibrationReport {
 protected:
  void SetUp() override {
    CalibrationReport::SetUp();
    SCalibratorInfo& info = m_doc.m_calibratorInfo;
    info.referenceHardwareSerialNumber = u"HW-1";
    info.referenceSensorSerialNumber = u"RS-2";
    info.referenceSensorZeroValue = -3;
    info.pauseBetweenStepsMs = 1500;
    info.rampSpeed = 450;
    info.batteryVoltage = 7.2;
    info.calibrationValidWritten = info.calibrationCounterReset = true;
    info.calibrationDateWritten = info.calibratorWritten = true;
    info.class1Requirements = EResultState::eNotRequired;
    info.factoryCalibrationWrite = EResultState::eOk;
    info.lastUsedCalibrationWrite = EResultState::eOk;
    m_doc.m_newLifetimeCounter = 305419896;
    m_doc.m_newCalibrationCounter = 0;
    m_doc.m_newCalibrationDate = u"2026-12-11";
    m_doc.m_newCalibrator = u"AB12";
    m_doc.m_stepForce = 1250;
    m_doc.m_slopeWords.fill(10000);
    m_doc.m_slopeWords[0] = 0xD8F0;
    m_doc.m_offsetWords[0] = -3;
    m_doc.m_actualRuns = 3;
    for (int cycle = 0; cycle < 3; ++cycle) m_doc.m_cycles[cycle] = {Step(1250, 1255, 1250, true, 300, 10)};
    m_doc.m_means = {Step(1250, 1250, 1250, true, 300, 10)};
  }
};

constexpr char16_t kCycleTable[] =
    u"Steps: \v1\r\n"
    u"Step \vTargetForce \vZD-2Force \vRefForce \v%DR-Err \v%FS-Err \vCurrent \vCounter \vFailed\r\n"
    u"   1 \v       1250 \v     1255 \v     1250 \v   0.40 \v   0.02 \v    300 \v     10 \v     0\r\n"
    u"\r\n";

constexpr char16_t kMeansTable[] =
    u"Steps: \v1\r\n"
    u"Step \vTargetForce \vZD-2Force \vRefForce \v%DR-Err \v%FS-Err \vCurrent \vCounter \vFailed\r\n"
    u"   1 \v       1250 \v     1250 \v     1250 \v   0.00 \v   0.00 \v    300 \v     10 \v     0\r\n"
    u"\r\n";

TEST_F(AdjustmentReport, ThreeRunsEndWithTheMeansAndPassUntagged) {
  m_doc.BuildReport(true);
  const std::u16string expected = std::u16string(
                                      u"RefHw Serial Number: \vHW-1\r\n"
                                      u"RefSensor Serial Number: \vRS-2\r\n"
                                      u"RefSensor Cal Date: \v2000-01-01\r\n"
                                      u"RefSensor Zero Value: \v-3\r\n"
                                      u"\r\n"
                                      u"Pause between steps (ms): \v1500\r\n"
                                      u"Ramp Speed (N/s): \v450\r\n"
                                      u"Battery Voltage: \v7.200\r\n"
                                      u"Full Scale Error Limit (%): \v0.00\r\n"
                                      u"\r\n"
                                      u"Calibration Results:\r\n"
                                      u"Cal Valid Write: \vOK\r\n"
                                      u"Cal Counter Reset: \vOK\r\n"
                                      u"Cal Date Write: \vOK\r\n"
                                      u"Calibrator Write: \vOK\r\n"
                                      u"Class1 Requirements: \vNotRequired\r\n"
                                      u"Factory Cal Write: \vOK\r\n"
                                      u"Last Used Cal write: \vOK\r\n"
                                      u"New Lifetime Counter: \v305419896\r\n"
                                      u"New Calibration Counter: \v0\r\n"
                                      u"New Calibration Date: \v2026-12-11\r\n"
                                      u"New Calibrator: \vAB12\r\n"
                                      u"\r\n"
                                      u"Cal Parameters:\r\n"
                                      u"---------------\r\n"
                                      u"Force \vSlope10k \vOffset\r\n"
                                      u" 1250 \v   55536 \v    -3\r\n"
                                      u" 2500 \v   10000 \v     0\r\n"
                                      u" 3750 \v   10000 \v     0\r\n"
                                      u" 5000 \v   10000 \v     0\r\n"
                                      u" 6250 \v   10000 \v     0\r\n"
                                      u" 7500 \v   10000 \v     0\r\n"
                                      u" 8750 \v   10000 \v     0\r\n"
                                      u"10000 \v   10000 \v     0\r\n"
                                      u"11250 \v   10000 \v     0\r\n"
                                      u"12500 \v   10000 \v     0\r\n"
                                      u"13750 \v   10000 \v     0\r\n"
                                      u"15000 \v   10000 \v     0\r\n"
                                      u"16250 \v   10000 \v     0\r\n"
                                      u"17500 \v   10000 \v     0\r\n"
                                      u"18750 \v   10000 \v     0\r\n"
                                      u"20000 \v   10000 \v     0\r\n"
                                      u"21250 \v   10000 \v     0\r\n"
                                      u"22500 \v   10000 \v     0\r\n"
                                      u"23750 \v   10000 \v     0\r\n"
                                      u"25000 \v   10000 \v     0\r\n"
                                      u"\r\n"
                                      u"Measurement Before Calibration 1\r\n"
                                      u"--------------------------------\r\n") +
                                  kCycleTable +
                                  u"Measurement Before Calibration 2\r\n"
                                  u"--------------------------------\r\n" +
                                  kCycleTable +
                                  u"Measurement Before Calibration 3\r\n"
                                  u"--------------------------------\r\n" +
                                  kCycleTable + u"Measurement Before Calibration Average\r\n" + kMeansTable +
                                  u"\r\n"
                                  u"Certificate Data\r\n"
                                  u"----------------\r\n"
                                  u"Steps: \v0\r\n"
                                  u"\r\n"
                                  u"Final Result: OK\r\n";
  EXPECT_EQ(Text(m_doc.m_reportText), expected);
  EXPECT_TRUE(m_doc.m_finalResult);
}

TEST_F(AdjustmentReport, AFailedStateOrFlagTagsItsLineAndTheVerdict) {
  m_doc.m_calibratorInfo.lastUsedCalibrationWrite = EResultState::eFailed;
  m_doc.m_calibratorInfo.calibratorWritten = false;
  m_doc.BuildReport(true);
  const std::u16string text = Text(m_doc.m_reportText);
  EXPECT_NE(text.find(u"\r\n<red>Last Used Cal write: \vFailed</red>\r\n"), std::u16string::npos);
  EXPECT_NE(text.find(u"\r\n<red>Calibrator Write: \vFailed</red>\r\n"), std::u16string::npos);
  EXPECT_TRUE(text.ends_with(u"\r\n\r\n<red>Final Result: FAILED</red>\r\n"));
  EXPECT_FALSE(m_doc.m_finalResult);
}

TEST_F(AdjustmentReport, AFourthRunIsTheFirstAfterCalibrationAndDecides) {
  m_doc.m_actualRuns = 4;
  m_doc.m_cycles[3] = {Step(1250, 1300, 1250, false)};
  m_doc.BuildReport(true);
  const std::u16string text = Text(m_doc.m_reportText);
  const std::u16string fourth =
      u"Measurement After Calibration 1\r\n"
      u"--------------------------------\r\n"
      u"Steps: \v1\r\n"
      u"Step \vTargetForce \vZD-2Force \vRefForce \v%DR-Err \v%FS-Err \vCurrent \vCounter \vFailed\r\n"
      u"<red>   1 \v       1250 \v     1300 \v     1250 \v   4.00 \v   0.20 \v      0 \v      0 \v     "
      u"1</red>\r\n"
      u"\r\n"
      u"\r\n"
      u"Certificate Data\r\n";
  EXPECT_NE(text.find(u"Average\r\n" + std::u16string(kMeansTable) + fourth), std::u16string::npos);
  EXPECT_TRUE(text.ends_with(u"<red>Final Result: FAILED</red>\r\n"));
  EXPECT_FALSE(m_doc.m_finalResult);
}

TEST_F(CalibrationReport, VerificationSummarisesEveryRunsErrors) {
  m_doc.m_calibratorInfo.setRuns = 2;
  m_doc.m_actualRuns = 2;
  m_doc.m_cycles[0] = {Step(1250, 1255, 1250), Step(2500, 2490, 2500)};
  m_doc.m_cycles[1] = {Step(1250, 1250, 0), Step(2500, 2500, 2500)};
  m_doc.BuildReport(false);
  const std::u16string header =
      u"Step \vTargetForce \vZD-2Force \vRefForce \v%DR-Err \v%FS-Err \vCurrent \vCounter \vFailed\r\n";
  const std::u16string expected =
      u"RefHw Serial Number: \v\r\n"
      u"RefSensor Serial Number: \v\r\n"
      u"RefSensor Cal Date: \v2000-01-01\r\n"
      u"RefSensor Zero Value: \v0\r\n"
      u"\r\n"
      u"Pause between steps (ms): \v0\r\n"
      u"Ramp Speed (N/s): \v0\r\n"
      u"Battery Voltage: \v0.000\r\n"
      u"Full Scale Error Limit (%): \v0.00\r\n"
      u"\r\n"
      u"Set Runs: \v2\r\n"
      u"Actual Runs: \v2\r\n"
      u"\r\n"
      u"Test Cycle 1\r\n"
      u"-------------------\r\n"
      u"Steps: \v2\r\n" +
      header +
      u"   1 \v       1250 \v     1255 \v     1250 \v   0.40 \v   0.02 \v      0 \v      0 \v     0\r\n"
      u"   2 \v       2500 \v     2490 \v     2500 \v  -0.40 \v  -0.04 \v      0 \v      0 \v     0\r\n"
      u"\r\n"
      u"Test Cycle 2\r\n"
      u"-------------------\r\n"
      u"Steps: \v2\r\n" +
      header +
      u"   1 \v       1250 \v     1250 \v        0 \v 100.00 \v   5.00 \v      0 \v      0 \v     0\r\n"
      u"   2 \v       2500 \v     2500 \v     2500 \v   0.00 \v   0.00 \v      0 \v      0 \v     0\r\n"
      u"\r\n"
      u"\r\n"
      u"Certificate Data\r\n"
      u"----------------\r\n"
      u"Steps: \v0\r\n"
      u"\r\n"
      u"Error Summary\r\n"
      u"-------------\r\n"
      u"Force \vDR-Run1 \vDR-Run2 \vFS-Run1 \vFS-Run2\r\n"
      u"1250 \v0.40 \v100.00 \v0.02 \v5.00\r\n"
      u"2500 \v-0.40 \v0.00 \v-0.04 \v0.00\r\n"
      u"\r\n"
      u"Final Result: OK\r\n";
  EXPECT_EQ(Text(m_doc.m_reportText), expected);
  EXPECT_TRUE(m_doc.m_finalResult);
}

TEST_F(CalibrationReport, WithoutARunTheStepsPassAndTheFinishingDecides) {
  m_doc.BuildReport(false);
  EXPECT_TRUE(m_doc.m_finalResult);
  EXPECT_TRUE(Text(m_doc.m_reportText)
                  .ends_with(u"Error Summary\r\n-------------\r\nForce\r\n\r\nFinal Result: OK\r\n"));
  m_doc.BuildReport(true);
  EXPECT_FALSE(m_doc.m_finalResult) << "nothing of the finishing was done";
  EXPECT_TRUE(Text(m_doc.m_reportText).ends_with(u"Steps: \v0\r\n\r\n<red>Final Result: FAILED</red>\r\n"));
}

}  // namespace
