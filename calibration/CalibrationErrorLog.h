#pragma once
// The error report of the calibration procedures: the texts of a set of error bits, each a
// shown status line of the log.

class CColorRichEditCtrl;
class CVexalonDoc;

void LogCalibrationErrors(const CVexalonDoc& doc, CColorRichEditCtrl& log, int errors);
