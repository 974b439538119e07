#include "calibration/DriveCommandWatch.h"

#include "device/Stopwatch.h"
#include "device/VexalonDevice.h"

void CDriveCommandWatch::MarkRampStart() { Mark(true, 0); }

void CDriveCommandWatch::MarkHoming(DWORD settleMs) { Mark(false, settleMs); }

void CDriveCommandWatch::Mark(bool mustMove, DWORD settleMs) {
  m_mustMove = mustMove;
  m_settleMs = settleMs;
  m_seen = false;
  m_moved = false;
  m_latestState = -1;
}

void CDriveCommandWatch::OnSample(const SLiveSample& sample) {
  if (!m_seen) m_firstStamp = sample.timestamp;
  m_seen = true;
  if (sample.driveState != Device::CVexalonDevice::kDriveStop) m_moved = true;
  m_latestState = sample.driveState;
  m_latestStamp = sample.timestamp;
}

bool CDriveCommandWatch::HasStopped() const {
  if (!m_seen || m_latestState != Device::CVexalonDevice::kDriveStop) return false;
  if (m_moved) return true;
  // A drive sent home from home may never show itself moving. The stamps are arrival times, so
  // a burst of samples that a held-up reader delivers at once does not pass for a drive at rest.
  return !m_mustMove && GetElapsedMs(m_firstStamp, m_latestStamp) >= m_settleMs;
}
