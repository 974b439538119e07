#pragma once
// A wake-up that another thread raises to end the waits on a port or socket at once. It is a
// kernel object (an event counter) so that it stands beside the port in one poll set.
//
// A wake only reaches waits in progress, as cancelling pending transfers does: waits announce
// themselves with a CWaitScope, a raise with no wait in progress is dropped, and the last wait
// to leave takes the raise back, so a later wait does not end early.

#include <mutex>

#include "platform/base/WinTypes.h"

class CWakeSignal {
 public:
  CWakeSignal();
  ~CWakeSignal();
  CWakeSignal(const CWakeSignal&) = delete;
  CWakeSignal& operator=(const CWakeSignal&) = delete;

  // Wakes every wait in progress.
  void Raise();
  // Waits up to `milliseconds` of scaled time for a raise; true when one came. The caller
  // holds a CWaitScope from before it last checked its own stop flag, so that a raise between
  // that check and this wait is not lost.
  bool WaitRaised(DWORD milliseconds);
  // Whether a raise is pending, without waiting for one or taking it back.
  bool IsRaised() const;
  // The descriptor to watch for readability (for the platform's own wait code).
  int Descriptor() const { return m_fd; }

  // Marks a wait in progress for its lifetime.
  class CWaitScope {
   public:
    explicit CWaitScope(CWakeSignal& signal);
    ~CWaitScope();
    CWaitScope(const CWaitScope&) = delete;
    CWaitScope& operator=(const CWaitScope&) = delete;

   private:
    CWakeSignal& m_signal;
  };

 private:
  void Drain();

  int m_fd;
  std::mutex m_lock;
  int m_waits = 0;
};
