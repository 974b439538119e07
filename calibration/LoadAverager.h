#pragma once
// The load averaged over a time window after a calibration step has stopped. The run thread
// opens the window and waits while the dialog's thread feeds it the live samples; the
// collecting flag hands the list over: the feeding side appends only while it is set, the run
// thread reads the list only after the feeding side has cleared it. The flags are atomic since
// the two sides are different threads.

#include <atomic>
#include <vector>

#include "calibration/LiveSample.h"
#include "platform/base/WinTypes.h"

class CLoadAverager {
 public:
  // Empties the lists, stamps the start and opens a window of `windowMs` scaled ms.
  void Start(int windowMs);
  // A sample stamped before the start is ignored. Once 40 % of the window have passed the beep
  // is due; the sample past the window closes it and is not taken. A window that has taken
  // nothing yet lasts a time-out of its length (TimeoutSpan).
  void AddSample(const SLiveSample& sample);
  // The mean rounded half away from zero; 0 for an empty list.
  static int Average(const std::vector<UINT>& values);

  bool IsCollecting() const { return m_collecting.load(); }
  bool IsBeepDue() const { return m_beep.load(); }
  // Read only once collecting has ended.
  const std::vector<UINT>& GetLoads() const { return m_loads; }
  const std::vector<UINT>& GetSecondValues() const { return m_secondValues; }

 private:
  static constexpr size_t kGrowth = 500;

  std::vector<UINT> m_loads;
  // Nothing fills this list, so its mean is 0; the run reports it as the reference force.
  std::vector<UINT> m_secondValues;
  std::atomic<bool> m_collecting{false};
  int m_windowMs = 0;
  ULONGLONG m_start = 0;
  ULONGLONG m_elapsedMs = 0;
  std::atomic<bool> m_beep{false};
};
