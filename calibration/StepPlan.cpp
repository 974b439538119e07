#include "calibration/StepPlan.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kStepsPerType = 20;
constexpr int kShortestTimeoutMs = 90000;
constexpr int kRampTimeFactor = 3;

struct STypeLoad {
  const char16_t* marker;
  int maxLoad;
};
// In this order: "16" and "25" must win over the "6" and the "5" they contain.
constexpr STypeLoad kTypeLoads[] = {{u"25", 25000}, {u"16", 16000}, {u"6", 6000}};

}  // namespace

bool SStepPlan::SetType(const CString& typeText) {
  bool matched = false;
  for (const STypeLoad& type : kTypeLoads) {
    if (typeText.Find(type.marker) < 0) continue;
    maxLoad = type.maxLoad;
    matched = true;
    break;
  }
  step = maxLoad / kStepsPerType;
  UpdateTimeout();
  return matched;
}

void SStepPlan::SetStep(int newStep) {
  step = newStep;
  UpdateTimeout();
}

void SStepPlan::UpdateTimeout() {
  const double rampMs = rampSpeed > 0 ? double(step) * 1000.0 / rampSpeed : 0.0;
  stepTimeoutMs = std::max(kShortestTimeoutMs, int(std::lround(rampMs * kRampTimeFactor)));
}
