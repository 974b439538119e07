#pragma once
// The statistics of one sampling period of Live View: once per period the sampling timer takes
// what the reader collected since the last period (and empties its lists), with the time since
// the test's first tick and since the previous tick, and the count of frames the instrument
// sent in the period that were not stored.

#include <string>

#include "calibration/SampleStats.h"
#include "platform/base/WinTypes.h"

class CMeasThread;

// One period: a row of the CSV log and the point of the plot.
struct SSamplingRow {
  std::string rawText;  // the last stored frame's nine characters
  double deltaSeconds = 0;
  double elapsedSeconds = 0;
  int sampledForce = 0;  // N
  SSampleStats force;
  SSampleStats current;
  int driveState = 0;
  int lastSampleNumber = 0;
  int missedSamples = 0;
};

class CSampleTicker {
 public:
  // The next tick is the first of a test.
  void Restart() { m_tickCount = 0; }
  // Takes the period's statistics from the reader and empties its lists.
  SSamplingRow Tick(CMeasThread& reader);
  // Ticks since the test started.
  int GetTickCount() const { return m_tickCount; }

 private:
  int m_tickCount = 0;
  ULONGLONG m_firstStamp = 0;
  ULONGLONG m_previousStamp = 0;
  int m_previousSampleNumber = 0;
};
