#include "platform/kernel/TimerQueue.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "platform/base/Clock.h"

class CTimerQueueTimer {
 public:
  WAITORTIMERCALLBACK callback = nullptr;
  void* parameter = nullptr;
  DWORD periodMs = 0;
  std::chrono::steady_clock::time_point due;
  bool fired = false;  // a one-shot timer that has run stays until it is deleted
};

namespace {

using Clock = std::chrono::steady_clock;

// The default queue: one thread that runs the callbacks of every timer in turn.
class CDefaultTimerQueue {
 public:
  static CDefaultTimerQueue& Instance() {
    static CDefaultTimerQueue queue;
    return queue;
  }

  ~CDefaultTimerQueue() {
    {
      std::lock_guard lock(m_mutex);
      m_stopping = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable()) m_thread.join();
    for (CTimerQueueTimer* timer : m_timers) delete timer;
  }

  CTimerQueueTimer* Add(WAITORTIMERCALLBACK callback, void* parameter, DWORD dueTimeMs, DWORD periodMs) {
    auto* timer =
        new CTimerQueueTimer{callback, parameter, periodMs, Clock::now() + ScaledDuration(dueTimeMs), false};
    {
      std::lock_guard lock(m_mutex);
      if (!m_thread.joinable()) m_thread = std::thread([this] { Run(); });
      m_timers.insert(timer);
    }
    m_changed.notify_all();
    return timer;
  }

  bool Remove(CTimerQueueTimer* timer, bool waitForCallback) {
    std::unique_lock lock(m_mutex);
    if (m_timers.erase(timer) == 0) return false;
    if (waitForCallback && std::this_thread::get_id() != m_thread.get_id())
      m_changed.wait(lock, [&] { return m_running != timer; });
    // A callback still running (deleted from its own callback, or without a wait) keeps the
    // object until it returns.
    if (m_running == timer)
      m_deleteAfterRun = true;
    else
      delete timer;
    return true;
  }

 private:
  void Run() {
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
      CTimerQueueTimer* next = nullptr;
      for (CTimerQueueTimer* timer : m_timers) {
        if (!timer->fired && (!next || timer->due < next->due)) next = timer;
      }
      if (!next) {
        m_changed.wait(lock);
        continue;
      }
      if (Clock::now() < next->due) {
        // The wait reads its deadline again after waking, by when the timer may be deleted:
        // it waits on a copy.
        const Clock::time_point due = next->due;
        m_changed.wait_until(lock, due);
        continue;
      }
      m_running = next;
      lock.unlock();
      next->callback(next->parameter, true);
      lock.lock();
      m_running = nullptr;
      if (m_deleteAfterRun) {
        m_deleteAfterRun = false;
        delete next;
      } else if (next->periodMs == 0) {
        next->fired = true;
      } else {
        // The next due time follows the schedule, not the end of the callback, so that the
        // periods keep their length on average; a late callback does not fire twice at once.
        next->due = std::max(next->due + ScaledDuration(next->periodMs), Clock::now());
      }
      m_changed.notify_all();
    }
  }

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::set<CTimerQueueTimer*> m_timers;
  CTimerQueueTimer* m_running = nullptr;
  bool m_deleteAfterRun = false;
  bool m_stopping = false;
  std::thread m_thread;
};

}  // namespace

BOOL CreateTimerQueueTimer(HTIMERQUEUETIMER* timer, HTIMERQUEUE queue, WAITORTIMERCALLBACK callback,
                           void* parameter, DWORD dueTimeMs, DWORD periodMs, ULONG /*flags*/) {
  if (!timer || queue || !callback) return FALSE;
  *timer = CDefaultTimerQueue::Instance().Add(callback, parameter, dueTimeMs, periodMs);
  return TRUE;
}

BOOL DeleteTimerQueueTimer(HTIMERQUEUE queue, HTIMERQUEUETIMER timer, HTIMERQUEUE completionEvent) {
  if (queue || !timer) return FALSE;
  return CDefaultTimerQueue::Instance().Remove(timer, completionEvent == INVALID_HANDLE_VALUE) ? TRUE : FALSE;
}
