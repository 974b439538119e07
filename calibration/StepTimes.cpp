#include "calibration/StepTimes.h"

void GetStepTimes(const CString& hardwareRevision, int& waitMs, int& skipMs) {
  const bool firstRevision = hardwareRevision.CompareNoCase(u"A0") == 0;
  waitMs = firstRevision ? 10000 : 5000;
  skipMs = firstRevision ? 5000 : 2500;
}
