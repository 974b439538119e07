#include "calibration/StepTolerance.h"

#include <algorithm>

#include "calibration/StepMeas.h"

namespace {

constexpr int kCoarseBelowPercent = 15;
constexpr double kCoarseFactor = 0.2;
constexpr double kFineFactor = 0.1;
constexpr int kSmallestToleranceN = 100;

bool IsWithin(int force, int target, int tolerance) {
  return force >= 1 && force >= target - tolerance && force <= target + tolerance;
}

}  // namespace

bool CheckStepTolerance(CStepMeas& step, int stepPercent, bool instrumentOnly) {
  const double factor = stepPercent >= kCoarseBelowPercent ? kFineFactor : kCoarseFactor;
  const int tolerance = std::max(kSmallestToleranceN, int(step.targetForce * factor));
  const bool instrumentWithin = IsWithin(step.instrumentForce, step.targetForce, tolerance);
  step.valid = instrumentOnly ? instrumentWithin
                              : instrumentWithin && IsWithin(step.referenceForce, step.targetForce, tolerance);
  return step.valid;
}
