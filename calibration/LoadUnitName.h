#pragma once
// The name of one of the calibration procedure's three load units.

#include "platform/base/String.h"

// Load unit 0 "N", 1 "kN", 2 "LBF"; any other unit gives an empty text.
CString LoadUnitName(int loadUnit);
