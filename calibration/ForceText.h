#pragma once
// A force in one of the calibration procedure's three load units.

#include "platform/base/String.h"

// Load unit 0 newtons ("%d", " N"), 1 kilonewtons ("%.3lf", " kN"), 2 pound-force (rounded
// half away from zero, " LBF"); any other unit gives an empty text.
CString FormatForce(int newtons, int loadUnit, bool withUnit);
