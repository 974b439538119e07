#include <gtest/gtest.h>

#include "calibration/StepPlan.h"

namespace {

struct SPlanCase {
  const char16_t* type;
  bool matched;
  int maxLoad;
  int step;
};

TEST(StepPlan, TheTypeTextGivesTheMaximumLoadAndTwentySteps) {
  const SPlanCase cases[] = {
      {u" 6 kN", true, 6000, 300},      {u"16 kN", true, 16000, 800}, {u"25 kN", true, 25000, 1250},
      {u"VA-216", true, 16000, 800},  // "16" wins over the "6" it contains
      {u"     ", false, 0, 0},
  };
  for (const SPlanCase& c : cases) {
    SStepPlan plan;
    EXPECT_EQ(plan.SetType(c.type), c.matched) << CString(c.type).ToUtf8();
    EXPECT_EQ(plan.maxLoad, c.maxLoad) << CString(c.type).ToUtf8();
    EXPECT_EQ(plan.step, c.step) << CString(c.type).ToUtf8();
    // round(step x 1000 / 200 x 3) never passes 90 s for these steps.
    EXPECT_EQ(plan.stepTimeoutMs, 90000) << CString(c.type).ToUtf8();
  }
}

TEST(StepPlan, AnUnknownTypeKeepsTheMaximumLoadOfTheTypeBefore) {
  SStepPlan plan;
  ASSERT_TRUE(plan.SetType(u"16 kN"));
  EXPECT_FALSE(plan.SetType(u"???"));
  EXPECT_EQ(plan.maxLoad, 16000);
  EXPECT_EQ(plan.step, 800);
}

TEST(StepPlan, ALongStepTakesThreeTimesItsRampTime) {
  SStepPlan plan;
  plan.SetStep(1600);
  EXPECT_EQ(plan.stepTimeoutMs, 90000);  // 1600 N at 200 N/s: 8 s, three times 24 s
  plan.SetStep(6001);
  EXPECT_EQ(plan.stepTimeoutMs, 90015);  // 30.005 s, three times 90.015 s
  plan.rampSpeed = 7;
  plan.SetStep(1000);
  EXPECT_EQ(plan.stepTimeoutMs, 428571);  // 142857.14 ms, three times 428571.4
}

}  // namespace
