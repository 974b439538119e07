#include <gtest/gtest.h>

#include "calibration/StepMeas.h"
#include "calibration/StepTolerance.h"

namespace {

struct SToleranceCase {
  int target;
  int percent;
  int instrument;
  int reference;
  bool instrumentOnly;
  bool valid;
};

TEST(StepTolerance, TheWindowFollowsTheStepPercentage) {
  const SToleranceCase cases[] = {
      // 16 kN, first step: 20 % of 800 N either side.
      {800, 5, 640, 0, true, true},
      {800, 5, 960, 0, true, true},
      {800, 5, 639, 0, true, false},
      {800, 5, 961, 0, true, false},
      // Third step (15 %): 10 % of 2400 N.
      {2400, 15, 2160, 0, true, true},
      {2400, 15, 2640, 0, true, true},
      {2400, 15, 2159, 0, true, false},
      {2400, 15, 2641, 0, true, false},
      // 6 kN, first step: 60 N is raised to 100 N.
      {300, 5, 200, 0, true, true},
      {300, 5, 400, 0, true, true},
      {300, 5, 199, 0, true, false},
      {300, 5, 401, 0, true, false},
      // A force of 0 never passes, even where the window reaches down to it.
      {100, 5, 0, 0, true, false},
      {100, 5, 1, 0, true, true},
      // Both forces count unless the instrument's alone is asked for.
      {800, 5, 800, 800, false, true},
      {800, 5, 800, 0, false, false},
      {800, 5, 800, 961, false, false},
      {800, 5, 0, 800, false, false},
  };
  for (const SToleranceCase& c : cases) {
    CStepMeas step;
    step.targetForce = c.target;
    step.instrumentForce = c.instrument;
    step.referenceForce = c.reference;
    step.valid = !c.valid;
    EXPECT_EQ(CheckStepTolerance(step, c.percent, c.instrumentOnly), c.valid)
        << c.target << " N at " << c.percent << " %: " << c.instrument << " / " << c.reference;
    EXPECT_EQ(step.valid, c.valid) << "the verdict is stored in the step";
  }
}

}  // namespace
