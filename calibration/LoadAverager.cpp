#include "calibration/LoadAverager.h"

#include <cmath>
#include <numeric>

#include "device/Stopwatch.h"
#include "platform/base/Clock.h"

namespace {

constexpr double kBeepShare = 0.4;

}  // namespace

void CLoadAverager::Start(int windowMs) {
  m_loads.clear();
  m_loads.reserve(kGrowth);
  m_secondValues.clear();
  m_secondValues.reserve(kGrowth);
  m_collecting = false;
  m_beep = false;
  m_windowMs = windowMs;
  QueryTimestamp(m_start);
  m_elapsedMs = 0;
  m_collecting = true;
}

void CLoadAverager::AddSample(const SLiveSample& sample) {
  if (!m_collecting.load() || sample.timestamp < m_start) return;
  m_elapsedMs = GetElapsedMs(m_start, sample.timestamp);
  if (!m_beep.load() && m_elapsedMs > ULONGLONG(std::lround(m_windowMs * kBeepShare))) m_beep = true;
  // A window still empty waits for its first sample as for an answer, a time-out of its
  // length: a busy machine may have held the reader back for the whole of a window that a
  // fast clock made short.
  const ULONGLONG limitMs = m_loads.empty() ? TimeoutSpan(ULONGLONG(m_windowMs)) : ULONGLONG(m_windowMs);
  if (m_elapsedMs > limitMs) {
    m_collecting = false;
    return;
  }
  m_loads.push_back(UINT(sample.force));
}

int CLoadAverager::Average(const std::vector<UINT>& values) {
  if (values.empty()) return 0;
  const double sum = std::accumulate(values.begin(), values.end(), 0.0);
  return int(std::lround(sum / double(values.size())));
}
