#pragma once
// The thread of an update check, stopped cooperatively: Stop raises the stop flag, which ends
// the check's server transfers at once, and waits the grace period; a thread still running
// then is retired (exit code 0xDEAD) and left to end on its own. Everything the thread uses
// lives in a state that the thread keeps alive, and a stopped thread posts nothing.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

#include "device/Version.h"
#include "platform/kernel/Thread.h"

class CWnd;

// What a check thread shares with its owner.
class CCheckWorkerState {
 public:
  explicit CCheckWorkerState(CWnd* notify) : m_pNotify(notify) {}

  const std::atomic<bool>& StopFlag() const { return m_stop; }
  // Posts the version a.b.c.d packed as wParam = a | b << 16, lParam = c | d << 16, unless
  // the thread was stopped; false when nothing was posted.
  bool PostVersion(UINT message, const CVersion& version);

 private:
  friend class CCheckWorker;

  CWnd* m_pNotify;
  std::atomic<bool> m_stop{false};
  std::mutex m_fence;
  bool m_bRetired = false;
};

class CCheckWorker {
 public:
  static constexpr DWORD kGraceMs = 3000;
  static constexpr DWORD kStoppedExitCode = 0xDEAD;

  CCheckWorker() = default;
  ~CCheckWorker() { Stop(); }
  CCheckWorker(const CCheckWorker&) = delete;
  CCheckWorker& operator=(const CCheckWorker&) = delete;

  // Starts `body` on a new thread with a fresh state posting to `notify`; false when the
  // thread could not be started.
  bool Start(CWnd* notify, std::function<DWORD(CCheckWorkerState&)> body);
  // Stops a running thread as described above.
  void Stop();
  // STILL_ACTIVE while running; 0 before any start.
  DWORD GetExitCode() const { return m_pThread ? m_pThread->GetExitCode() : 0; }
  // Waits up to `ms` (scaled) for the thread to end; true when it has.
  bool Wait(DWORD ms);

 private:
  std::unique_ptr<CThread> m_pThread;
  std::shared_ptr<CCheckWorkerState> m_pState;
};
