#pragma once
// The warm-up that precedes every calibration or verification run: the drive goes home, then
// once up to the given load at 450 N/s and home again.

#include "calibration/DriveStopWatch.h"

class CColorRichEditCtrl;
class CEvent;
class CVexalonDoc;

// True when every command went out, nothing aborted and the ramp ended in time. A failed
// command ends the warm-up at once without sending the drive home; an abort while homing ends
// it without a ramp; an abort during the ramp or a time-out sends the drive home without
// waiting for it. Status lines go to the log, details only to its mirror file.
bool RunWarmUp(CVexalonDoc& doc, IDriveStopWatch& connection, CColorRichEditCtrl& log, CEvent& abortEvent,
               int loadNewtons);
