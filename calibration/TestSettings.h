#pragma once
// The test settings of the connected ZD-2 as Live View reads them: display unit, test-disc
// area, load rate and load limit, and their one-line text.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

struct STestSettings {
  // "Load Limit: 16.00 kN  Load Rate: 100 N/s  Test Disc Area: 1963 mm2" in the settings' unit.
  CString Format() const;

  BYTE unit = 1;      // kN
  int area = 0;       // mm2
  int rate = 0;       // N/s
  int loadLimit = 0;  // N
};
