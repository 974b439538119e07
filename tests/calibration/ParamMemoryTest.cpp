#include <gtest/gtest.h>

#include "calibration/VexalonDoc.h"
#include "tests/calibration/LiveFixture.h"

namespace {

constexpr int kStepForceIndex = 2;
constexpr int kFirstSlopeIndex = 3;
constexpr int kLastSlopeIndex = 22;
constexpr int kLifetimeLowIndex = 23;
constexpr int kLifetimeHighIndex = 24;
constexpr int kCalibrationCounterLowIndex = 25;
constexpr int kFirstOffsetIndex = 27;

// A calibration document attached to the simulated ZD-2, reset as each procedure starts.
class CalibrationMemory : public LiveFixture {
 protected:
  void SetUp() override {
    LiveFixture::SetUp();
    Connect();
    m_doc.Reset();
    m_doc.m_device = m_device.get();
  }

  std::vector<BYTE> Memory(WORD address, int count) const {
    const std::vector<BYTE> info = m_zd2.InfoMemory();
    const auto begin = info.begin() + (address - Sim::CZd2Simulator::kInfoStart);
    return {begin, begin + count};
  }

  CVexalonDoc m_doc;
};

TEST_P(CalibrationMemory, ReadsWordsLowByteFirstAndChecksTheLifetimeCounter) {
  m_zd2.SetInfoMemory(0x1000, {0xC3, 0x3C, 0xA5, 0xA5});
  // Lifetime counter 0x12345678, calibration counter 0x00000007, first offset -2.
  m_zd2.SetInfoMemory(0x1080, {0x78, 0x56, 0x34, 0x12, 0x07, 0x00, 0x00, 0x00, 0xFE, 0xFF});
  m_doc.m_lifetimeCounter = 0x12345678;

  EXPECT_EQ(m_doc.ReadParamsOfKind(CVexalonDoc::kKindValidityIdentifier), 0);
  EXPECT_EQ(m_doc.m_params[0].value, 0x3CC3);
  EXPECT_EQ(m_doc.m_params[1].value, 0xA5A5);
  EXPECT_EQ(m_doc.m_params[kStepForceIndex].value, 0xFFFF) << "another kind stays unread";

  EXPECT_EQ(m_doc.ReadParamsOfSegment(3), 0);
  EXPECT_EQ(m_doc.m_params[kLifetimeLowIndex].value, 0x5678);
  EXPECT_EQ(m_doc.m_params[kLifetimeHighIndex].value, 0x1234);
  EXPECT_EQ(m_doc.m_params[kCalibrationCounterLowIndex].value, 0x0007);
  EXPECT_EQ(m_doc.m_params[kFirstOffsetIndex].value, 0xFFFE);
  EXPECT_EQ(m_doc.m_params[kFirstSlopeIndex].value, 0xFFFF) << "segment 1 stays unread";

  // The instrument's counter grew since the connection: the high word differs, the walk stops
  // there and the low word keeps what was read.
  m_doc.Reset();
  m_doc.m_lifetimeCounter = 0x12355678;
  EXPECT_EQ(m_doc.ReadParamsOfSegment(3), CVexalonDoc::kErrorReadFailed);
  EXPECT_EQ(m_doc.m_params[kLifetimeLowIndex].value, 0x5678);
  EXPECT_EQ(m_doc.m_params[kLifetimeHighIndex].value, 0x1234);
  EXPECT_EQ(m_doc.m_params[kCalibrationCounterLowIndex].value, 0xFFFF);

  // Right after a reset the counter is unknown; only erased lifetime words match it.
  m_doc.Reset();
  EXPECT_EQ(m_doc.ReadParamsOfKind(CVexalonDoc::kKindCounterWord), CVexalonDoc::kErrorReadFailed);
  m_zd2.SetInfoMemory(0x1080, {0xFF, 0xFF, 0xFF, 0xFF});
  EXPECT_EQ(m_doc.ReadParamsOfKind(CVexalonDoc::kKindCounterWord), 0);
}

TEST_P(CalibrationMemory, WritesSegmentOneLowByteFirstAndReadsItBack) {
  ASSERT_EQ(m_doc.ReadParamsOfKind(CVexalonDoc::kKindValidityIdentifier), 0);
  m_doc.m_params[0].value = 0x3CC3;
  m_doc.m_params[1].value = 0xA5A5;
  m_doc.m_params[kStepForceIndex].value = 1250;
  for (int step = 0; step < CVexalonDoc::kSteps; ++step)
    m_doc.m_params[kFirstSlopeIndex + step].value = WORD(10000 + step);
  m_doc.m_params[kLastSlopeIndex].value = 0xABCD;
  m_zd2.SetInfoMemory(0x1004, {'X'});

  EXPECT_EQ(m_doc.WriteParamsOfSegment(1), 0);
  EXPECT_EQ(Memory(0x1000, 5), (std::vector<BYTE>{0xC3, 0x3C, 0xA5, 0xA5, 'X'}));
  // 1250 = 0x04E2; 10000 = 0x2710, 10001 = 0x2711; the last slope 0xABCD at 0x1038.
  EXPECT_EQ(Memory(0x1010, 6), (std::vector<BYTE>{0xE2, 0x04, 0x10, 0x27, 0x11, 0x27}));
  EXPECT_EQ(Memory(0x1038, 2), (std::vector<BYTE>{0xCD, 0xAB}));
  EXPECT_EQ(m_doc.VerifyParamsOfSegment(1), 0);
  EXPECT_EQ(m_doc.VerifyParamsOfKind(CVexalonDoc::kKindValidityIdentifier), 0);

  // A table value the instrument does not hold is found by the read-back, which changes nothing.
  m_doc.m_params[kLastSlopeIndex].value = 0xABCE;
  EXPECT_EQ(m_doc.VerifyParamsOfKind(CVexalonDoc::kKindCalibrationValue), CVexalonDoc::kErrorReadBackDiffers);
  EXPECT_EQ(m_doc.m_params[kLastSlopeIndex].value, 0xABCE);
}

TEST_P(CalibrationMemory, StopsAtARefusedWriteAndFindsAStickyByte) {
  ASSERT_EQ(m_doc.ReadParamsOfKind(CVexalonDoc::kKindValidityIdentifier), 0);
  m_zd2.SetRefusedWrite(0x1013);
  m_zd2.SetStickyByte(0x1002);
  m_zd2.SetInfoMemory(0x1000, {0x00, 0x00, 0x00, 0x00});
  m_zd2.SetInfoMemory(0x1010, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
  m_doc.m_params[0].value = 0x3CC3;
  m_doc.m_params[1].value = 0xA5A5;
  m_doc.m_params[kStepForceIndex].value = 0x0102;
  m_doc.m_params[kFirstSlopeIndex].value = 0x0304;
  m_doc.m_params[kFirstSlopeIndex + 1].value = 0x0506;

  EXPECT_EQ(m_doc.WriteParamsOfSegment(1), CVexalonDoc::kErrorWriteFailed);
  // The step force went out, the first slope's high byte was refused and nothing after it.
  EXPECT_EQ(Memory(0x1010, 6), (std::vector<BYTE>{0x02, 0x01, 0x04, 0x00, 0x00, 0x00}));
  EXPECT_EQ(Memory(0x1000, 4), (std::vector<BYTE>{0xC3, 0x3C, 0x00, 0xA5}));
  EXPECT_EQ(m_doc.VerifyParamsOfKind(CVexalonDoc::kKindValidityIdentifier),
            CVexalonDoc::kErrorReadBackDiffers);
}

TEST_P(CalibrationMemory, DeletionKeepsOnlyTheCountersReadAtConnection) {
  const std::vector<BYTE> before = m_zd2.InfoMemory();
  // The counters' queries failed at connection: nothing may be erased.
  EXPECT_EQ(m_doc.DeleteCalibration(false), CVexalonDoc::kErrorReadFailed);
  EXPECT_EQ(m_zd2.InfoMemory(), before);

  m_doc.m_lifetimeCounter = 0x12345678;
  m_doc.m_calibrationCounter = 7;
  EXPECT_EQ(m_doc.DeleteCalibration(false), 0);
  EXPECT_EQ(Memory(0x1000, 64), std::vector<BYTE>(64, 0xFF));
  std::vector<BYTE> counters = {0x78, 0x56, 0x34, 0x12, 0x07, 0x00, 0x00, 0x00};
  counters.resize(64, 0xFF);
  EXPECT_EQ(Memory(0x1080, 64), counters);
}

TEST_P(CalibrationMemory, WritesTheComputedCalibrationAndResetsTheCalibrationCounter) {
  for (int cycle = 0; cycle < CVexalonDoc::kCyclesPerCalibration; ++cycle) {
    m_doc.m_cycles[cycle].assign(CVexalonDoc::kSteps, CStepMeas{});
    for (int k = 0; k < CVexalonDoc::kSteps; ++k) {
      m_doc.m_cycles[cycle][k].instrumentForce = 100 * (k + 1);
      m_doc.m_cycles[cycle][k].referenceForce = 101 * (k + 1);
    }
  }
  m_doc.m_means.assign(CVexalonDoc::kSteps, CStepMeas{});
  EXPECT_EQ(m_doc.WriteCalibration(1250, false), 0);
  // Step force 1250 = 0x04E2, slopes 10100 = 0x2774, offsets 0.
  EXPECT_EQ(Memory(0x1010, 4), (std::vector<BYTE>{0xE2, 0x04, 0x74, 0x27}));
  EXPECT_EQ(Memory(0x1038, 2), (std::vector<BYTE>{0x74, 0x27}));
  EXPECT_EQ(Memory(0x1088, 2), (std::vector<BYTE>{0x00, 0x00}));
  EXPECT_EQ(Memory(0x10AE, 2), (std::vector<BYTE>{0x00, 0x00}));

  m_zd2.SetInfoMemory(0x1080, {0x78, 0x56, 0x34, 0x12, 0x07, 0x00, 0x00, 0x00});
  m_doc.m_lifetimeCounter = 0x12345678;
  EXPECT_EQ(m_doc.ResetCounters(1), 0);
  EXPECT_EQ(Memory(0x1080, 10), (std::vector<BYTE>{0x78, 0x56, 0x34, 0x12, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(m_doc.m_newCalibrationCounter, 0);
  EXPECT_EQ(m_doc.m_newLifetimeCounter, 0x12345678);

  EXPECT_EQ(m_doc.SetCalibrationValid(true), 0);
  EXPECT_EQ(Memory(0x1000, 4), (std::vector<BYTE>{0xC3, 0x3C, 0xA5, 0xA5}));
  EXPECT_EQ(m_doc.SetCalibrationValid(false), 0);
  EXPECT_EQ(Memory(0x1000, 4), (std::vector<BYTE>{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_P(CalibrationMemory, FinishingMarksTheWrittenCalibrationValidAndRefreshesTheLastUsedCopy) {
  CWnd parent;
  ASSERT_TRUE(parent.Create(nullptr, u"log", WS_POPUP, CRect(0, 0, 400, 300), nullptr, 0));
  CColorRichEditCtrl log;
  ASSERT_TRUE(log.Create(WS_CHILD | ES_MULTILINE, CRect(0, 0, 400, 300), &parent, 1));
  // The simulator's default calibration: lifetime counter 0x12345678, offsets 0.
  m_doc.m_lifetimeCounter = m_doc.m_newLifetimeCounter = 0x12345678;
  m_doc.m_slopeWords.fill(0xFFFF);
  m_doc.m_stepForce = 0xFFFF;

  EXPECT_TRUE(m_doc.FinishCalibration(log, u"AB12"));
  EXPECT_EQ(Memory(0x1000, 4), (std::vector<BYTE>{0xC3, 0x3C, 0xA5, 0xA5}));
  EXPECT_EQ(Memory(0x103A, 4), (std::vector<BYTE>{'A', 'B', '1', '2'}));
  EXPECT_EQ(m_doc.m_newCalibrationCounter, 0);
  EXPECT_TRUE(m_doc.m_calibratorInfo.calibrationCounterReset);
  EXPECT_TRUE(m_doc.m_calibratorInfo.calibrationValidWritten);
  EXPECT_EQ(m_doc.m_calibratorInfo.lastUsedCalibrationWrite, EResultState::eOk);
  EXPECT_EQ(m_doc.m_newCalibrator, u"AB12");

  // A lifetime counter that changed since the connection stops the finishing before the date.
  m_doc.m_calibratorInfo.Reset();
  m_doc.m_lifetimeCounter = 0x12345679;
  EXPECT_FALSE(m_doc.FinishCalibration(log, u"CD34"));
  EXPECT_FALSE(m_doc.m_calibratorInfo.calibratorWritten);
  EXPECT_EQ(Memory(0x103A, 4), (std::vector<BYTE>{'A', 'B', '1', '2'}));
}

INSTANTIATE_TEST_SUITE_P(Link, CalibrationMemory, ::testing::Values(ELiveLink::eSocket),
                         [](const ::testing::TestParamInfo<ELiveLink>&) { return "Socket"; });

}  // namespace
