#pragma once
// An operating-system thread that is waitable (signalled when its function has returned)
// and keeps an exit code. Threads are never killed: StopWithGrace waits for the thread to
// end by itself and otherwise detaches it and records the exit code the caller gives, which
// the caller reports as the platform reported a terminated thread.

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "platform/kernel/SyncObject.h"

constexpr DWORD STILL_ACTIVE = 259;

class CThread : public CSyncObject {
 public:
  CThread() = default;
  ~CThread() override;
  CThread(const CThread&) = delete;
  CThread& operator=(const CThread&) = delete;

  // Starts the function on a new thread; false when a thread is already running.
  bool Start(std::function<DWORD()> body);
  bool IsRunning() const;
  // STILL_ACTIVE while running, else the function's result or the code given to StopWithGrace.
  DWORD GetExitCode() const;
  // Waits up to the grace period (scaled ms) for the thread to end. When it has not ended the
  // thread is left to finish on its own and from then on counts as ended, as a terminated
  // thread would: the exit code becomes `codeIfStillRunning`, waits on the object are
  // satisfied and it may be started again. Returns true when the thread ended within the grace
  // period.
  bool StopWithGrace(DWORD graceMs, DWORD codeIfStillRunning);

 protected:
  bool IsSignaledLocked() const override;

 private:
  struct State;
  std::shared_ptr<State> m_state;
  std::thread m_thread;
};

constexpr int THREAD_PRIORITY_NORMAL = 0;
constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 1;
// Accepted for a thread that runs; the priority stays the system's: raising it needs rights a
// user's process has not, and the program's readers keep up without it.
BOOL SetThreadPriority(CThread& thread, int priority);
