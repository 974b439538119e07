#pragma once
// What the warm-up and the calibration run ask of a live connection about the instrument's
// drive. A drive command takes effect only once the instrument has read it, and the live
// samples that were already on their way, or that a busy machine delivers late, still show the
// drive as it was; so each wait for STOP begins by marking the command right before it goes
// out, and only the samples that arrive after the mark answer it.

#include "platform/base/WinTypes.h"

class IDriveStopWatch {
 public:
  virtual ~IDriveStopWatch() = default;
  // Called right before START goes out: the ramp has ended when a sample that arrived since
  // showed the drive moving and the latest shows STOP. However late they come, samples from
  // before the ramp never show that.
  virtual void MarkRampStart() = 0;
  // Called right before BACK goes out: the drive is home when a sample that arrived since showed it
  // moving and the latest shows STOP, or, for a drive that was home already, when the samples
  // that arrived since have shown STOP for `settleMs` (scaled), counted from the first of them.
  virtual void MarkHoming(DWORD settleMs) = 0;
  // Whether the samples since the last mark show the drive stopped as that mark asks.
  virtual bool HasDriveStopped() = 0;
};
