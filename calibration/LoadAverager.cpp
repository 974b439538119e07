#include "calibration/LoadAverager.h"

#include <cmath>
#include <numeric>

#include "device/Stopwatch.h"

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
  if (m_elapsedMs > ULONGLONG(m_windowMs)) {
    if (!m_loads.empty()) {
      m_collecting = false;
      return;
    }
    // Not one sample arrived within the window: a busy machine held the reader up, while the
    // instrument rested at its step. Averaging nothing would give a load of 0, so the window
    // starts again with this sample.
    m_start = sample.timestamp;
    m_elapsedMs = 0;
  }
  m_loads.push_back(UINT(sample.force));
}

int CLoadAverager::Average(const std::vector<UINT>& values) {
  if (values.empty()) return 0;
  const double sum = std::accumulate(values.begin(), values.end(), 0.0);
  return int(std::lround(sum / double(values.size())));
}
