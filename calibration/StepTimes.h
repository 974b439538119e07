#pragma once
// How long the calibration run waits at a load step before it reads the forces, and how long
// it lets pass before a step counts as skipped; the first hardware revision settles slower.

#include "platform/base/String.h"

// Hardware revision "A0" (any case): 10000 and 5000 ms; any other: 5000 and 2500 ms.
void GetStepTimes(const CString& hardwareRevision, int& waitMs, int& skipMs);
