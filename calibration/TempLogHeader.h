#pragma once
// The head of a calibration procedure's temporary log: the report header of an adjustment
// ("Calibration") or a verification ("Verification") with the instrument's identity, and the
// instrument-information block, with plain "\n" line ends and a tab between label and value.

#include "platform/base/String.h"

class CVexalonDoc;

// Also hands the document's identity to the report header (CAppHelper::SetReportInfo).
CString BuildTempLogHeader(const CVexalonDoc& doc, bool calMode);
