#pragma once
// The load steps of one calibration or verification run: the instrument's maximum load, the
// load added per step, the ramp speed and how long a step may take to reach its load.

#include "platform/base/String.h"

struct SStepPlan {
  // Picks the maximum load from a type text ("25" 25000 N, "16" 16000 N, "6" 6000 N, the first
  // that the text contains); false, with the maximum load unchanged, when none matches. Either
  // way the step becomes a twentieth of the maximum load and the time-out follows it.
  bool SetType(const CString& typeText);
  // The step as given, and the time-out that follows it.
  void SetStep(int step);

  int stepTimeoutMs = 90000;
  int rampSpeed = 200;  // N/s
  int maxLoad = 0;      // N
  int step = 0;         // N

 private:
  // Three times the ramp's own time for one step, but never below 90 s.
  void UpdateTimeout();
};
