#pragma once
// The instrument-information block of the calibration reports: the calibration document's
// connect-time PCB serial number, counters, calibration date, calibrator and copy flags.

#include "platform/base/String.h"

class CVexalonDoc;

// Seven "label: \vvalue" lines, each ended by CR LF, and one more CR LF.
CString FormatDeviceInfoBlock(const CVexalonDoc& doc);
