#include "calibration/SamplingTicker.h"

#include "calibration/MeasThread.h"
#include "device/Stopwatch.h"

SSamplingRow CSampleTicker::Tick(CMeasThread& reader) {
  ULONGLONG now = 0;
  QueryTimestamp(now);
  if (m_tickCount == 0) {
    m_firstStamp = m_previousStamp = now;
    m_previousSampleNumber = 0;
  }
  SSamplingRow row;
  row.elapsedSeconds = GetElapsedMs(m_firstStamp, now) * 0.001;
  row.deltaSeconds = GetElapsedMs(m_previousStamp, now) * 0.001;
  m_previousStamp = now;
  reader.ReadStatistics(row.sampledForce, row.force, row.current, row.lastSampleNumber, row.rawText,
                        row.driveState, true);
  ++m_tickCount;
  // A period in which nothing was stored has no last sample number; it missed nothing that
  // the next period would not count, so the count goes on from the last stored sample.
  if (m_tickCount == 1 || row.force.count == 0) {
    row.missedSamples = 0;
  } else {
    row.missedSamples = row.lastSampleNumber - m_previousSampleNumber - row.force.count;
  }
  if (row.force.count > 0) m_previousSampleNumber = row.lastSampleNumber;
  return row;
}
