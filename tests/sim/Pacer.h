#pragma once
// Paces bytes to a rate given in bytes per second of the layer's scaled clock, so that a slow
// link keeps its speed relative to the time-outs of the code under test at any time scale.
// Idle time earns no credit: after a pause the next bytes pass at once, then at the rate.

#include <atomic>
#include <chrono>
#include <functional>

namespace Sim {

class CPacer {
 public:
  // 0 lets everything pass at once.
  void SetRate(int bytesPerSecond) { m_rate = bytesPerSecond; }
  int GetRate() const { return m_rate; }
  // How many bytes to move at a time so that the pace stays smooth (about 10 ms of the rate).
  int ChunkSize(int largest) const;
  // Waits until `count` more bytes may pass; false when `stopping` turned true meanwhile.
  bool Take(int count, const std::function<bool()>& stopping);

 private:
  std::atomic<int> m_rate{0};
  std::chrono::steady_clock::time_point m_next{};
};

}  // namespace Sim
