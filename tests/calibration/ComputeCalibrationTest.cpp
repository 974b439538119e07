#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "calibration/VexalonDoc.h"

namespace {

// A document after a run of three cycles of 20 steps: instrument force 100, 200, ... N, the
// reference `gain` times that, every cycle alike, and the means table as the run leaves it.
class ComputedCalibration : public ::testing::Test {
 protected:
  void SetUp() override { m_doc.Reset(); }

  void Run(double gain = 1.01) {
    for (int cycle = 0; cycle < CVexalonDoc::kCyclesPerCalibration; ++cycle) {
      m_doc.m_cycles[cycle].assign(CVexalonDoc::kSteps, CStepMeas{});
      for (int k = 0; k < CVexalonDoc::kSteps; ++k) {
        CStepMeas& step = m_doc.m_cycles[cycle][k];
        step.instrumentForce = 100 * (k + 1);
        step.referenceForce = int(std::lround(gain * 100 * (k + 1)));
        step.valid = true;
      }
    }
    m_doc.m_means.assign(CVexalonDoc::kSteps, CStepMeas{});
  }

  CVexalonDoc m_doc;
};

TEST_F(ComputedCalibration, ProportionalForcesGiveOneSlopeAndNoOffset) {
  Run();
  EXPECT_EQ(m_doc.ComputeCalibration(0, 0), 0);
  for (int k = 0; k < CVexalonDoc::kSteps; ++k) {
    SCOPED_TRACE(k);
    EXPECT_NEAR(m_doc.m_slopes[k], 1.01, 1e-9);
    EXPECT_NEAR(m_doc.m_offsets[k], 0.0, 1e-9);
    EXPECT_EQ(m_doc.m_slopeWords[k], 10100);
    EXPECT_EQ(m_doc.m_offsetWords[k], 0);
    EXPECT_EQ(m_doc.m_means[k].referenceForce, 101 * (k + 1));
    EXPECT_TRUE(m_doc.m_means[k].valid);
  }
}

TEST_F(ComputedCalibration, ACycleWithoutTwentyStepsChangesNothing) {
  for (int size : {19, 21}) {
    SCOPED_TRACE(size);
    Run();
    m_doc.m_cycles[1].resize(size);
    EXPECT_EQ(m_doc.ComputeCalibration(0, 0), CVexalonDoc::kErrorComputation);
    EXPECT_EQ(m_doc.m_means[0].instrumentForce, 0);
    EXPECT_EQ(m_doc.m_slopeWords[3], 0);
  }
  Run();
  m_doc.m_means.clear();
  EXPECT_EQ(m_doc.ComputeCalibration(0, 0), CVexalonDoc::kErrorComputation);
}

TEST_F(ComputedCalibration, LoadRulesSkipTheFirstTwoSteps) {
  struct SCase {
    int step;
    int expected;
  };
  for (const SCase& test : {SCase{4, CVexalonDoc::kErrorLoadRules}, SCase{0, 0}, SCase{1, 0}}) {
    SCOPED_TRACE(test.step);
    Run(1.0);
    // Cycle 3 at 104.6 % of the others: step 5's 523 N against a mean of 508 N is 2.95 % above.
    CStepMeas& step = m_doc.m_cycles[2][test.step];
    step.referenceForce = step.referenceForce * 1046 / 1000;
    EXPECT_EQ(m_doc.ComputeCalibration(0, 0), test.expected);
  }
}

TEST_F(ComputedCalibration, NeighbouringSlopesMustStayWithinATenth) {
  Run(1.0);
  // Step 6's reference 15 % steeper than its neighbours' line: 600 -> 615 in every cycle.
  for (int cycle = 0; cycle < CVexalonDoc::kCyclesPerCalibration; ++cycle)
    m_doc.m_cycles[cycle][5].referenceForce = 615;
  EXPECT_EQ(m_doc.ComputeCalibration(0, 0), CVexalonDoc::kErrorSlopeRange);
  EXPECT_NEAR(m_doc.m_slopes[5], 1.15, 1e-9);

  // The first two steps take the third's line, however far off their own is.
  Run(1.0);
  for (int cycle = 0; cycle < CVexalonDoc::kCyclesPerCalibration; ++cycle)
    m_doc.m_cycles[cycle][0].referenceForce = 150;
  EXPECT_EQ(m_doc.ComputeCalibration(0, 0), 0);
  EXPECT_EQ(m_doc.m_slopeWords[0], m_doc.m_slopeWords[2]);
  EXPECT_EQ(m_doc.m_offsetWords[1], m_doc.m_offsetWords[2]);
}

TEST_F(ComputedCalibration, MeansAndOffsetsRoundHalfAwayFromZero) {
  Run(1.0);
  // Currents summing to 5, 4 and -5 over the cycles at steps 1 to 3.
  const int currents[3][3] = {{2, 2, -2}, {2, 1, -2}, {1, 1, -1}};
  for (int cycle = 0; cycle < 3; ++cycle) {
    for (int k = 0; k < 3; ++k) m_doc.m_cycles[cycle][k].current = currents[cycle][k];
    // Step 3 at 280 N against 281 N: its line from (200, 200) has slope 81/80 and offset
    // 281 - 1.0125 x 280 = -2.5 N.
    m_doc.m_cycles[cycle][2].instrumentForce = 280;
    m_doc.m_cycles[cycle][2].referenceForce = 281;
  }
  EXPECT_EQ(m_doc.ComputeCalibration(0, 0), 0);
  EXPECT_EQ(m_doc.m_means[0].current, 2);
  EXPECT_EQ(m_doc.m_means[1].current, 1);
  EXPECT_EQ(m_doc.m_means[2].current, -2);
  EXPECT_DOUBLE_EQ(m_doc.m_offsets[2], -2.5);
  EXPECT_EQ(m_doc.m_offsetWords[2], -3);
  EXPECT_EQ(m_doc.m_offsetWords[0], -3);
  EXPECT_EQ(m_doc.m_slopeWords[2], 10125);
}

TEST_F(ComputedCalibration, EqualMeansOrOversizedWordsAreNeverAccepted) {
  // Steps 10 and 11 with the same mean instrument force: the slope is not a number.
  Run(1.0);
  for (int cycle = 0; cycle < 3; ++cycle) m_doc.m_cycles[cycle][10].instrumentForce = 1000;
  for (int cycle = 0; cycle < 3; ++cycle) m_doc.m_cycles[cycle][10].referenceForce = 1000;
  EXPECT_EQ(m_doc.ComputeCalibration(0, 0), CVexalonDoc::kErrorSlopeRange);
  EXPECT_TRUE(std::isnan(m_doc.m_slopes[10]));

  // A slope of 3.5 would need 35000 in a word the instrument reads as signed.
  Run(3.5);
  EXPECT_EQ(m_doc.ComputeCalibration(0, 0), CVexalonDoc::kErrorSlopeRange);
}

TEST(CalibrationErrorTexts, OneLinePerBitInReportOrder) {
  std::vector<CString> texts = {u"old"};
  CVexalonDoc::GetErrorTexts(texts, 0x2001);
  EXPECT_EQ(texts, (std::vector<CString>{u"ERROR: Failed to reset cycle counter.",
                                         u"ERROR: Failed to set the automatic back drive."}));
  CVexalonDoc::GetErrorTexts(texts, 0x0210);
  EXPECT_EQ(texts, (std::vector<CString>{u"ERROR: Failed to delete memory segment.",
                                         u"ERROR: Failed to set continuous/discontinuous mode."}));
  CVexalonDoc::GetErrorTexts(texts, 0);
  EXPECT_TRUE(texts.empty());
}

}  // namespace
