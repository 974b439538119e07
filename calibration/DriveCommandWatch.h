#pragma once
// The answer to "has the drive stopped since the command?" kept from the live samples as they
// arrive (see IDriveStopWatch). It is fed every decoded sample in order and knows no time but
// the samples' stamps. Not thread-safe: the connection holds its lock around every call.

#include "calibration/LiveSample.h"
#include "platform/base/WinTypes.h"

class CDriveCommandWatch {
 public:
  // Forget the samples so far; a ramp's end needs a sample that shows the drive moving, a
  // return home accepts STOP alone once it has lasted `settleMs`.
  void MarkRampStart();
  void MarkHoming(DWORD settleMs);
  void OnSample(const SLiveSample& sample);
  bool HasStopped() const;

 private:
  void Mark(bool mustMove, DWORD settleMs);

  bool m_mustMove = false;
  DWORD m_settleMs = 0;
  bool m_seen = false;   // a sample arrived after the mark
  bool m_moved = false;  // one of them showed the drive out of STOP
  ULONGLONG m_firstStamp = 0;
  ULONGLONG m_latestStamp = 0;
  int m_latestState = -1;
};
