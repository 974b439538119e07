#pragma once
// The results file of a verification: the instrument's load at every step of every run, as a
// ';'-separated table in the procedure's load unit, and the file's name.

#include "platform/base/LocalTime.h"
#include "platform/base/String.h"

class CVexalonDoc;

// "Load Unit;<unit>;", the heads "No.;Step(%);Nominal Load;Run #1;...", then one row per step of
// the first cycle table with its number, percentage, nominal load (number x step size) and the
// instrument force of each run; every line ends in "\n". Empty when no run was made.
CString BuildVerificationResults(const CVexalonDoc& doc, int loadUnit, int stepSize);
// "Verify_" + serial number + "_" + "%Y%m%d_%H%M%S" + ".csv"; the serial made safe for a file name.
CString VerificationResultsFileName(const CString& serialNumber, const SLocalTime& now);
