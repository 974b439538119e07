#include "platform/kernel/Thread.h"

// Shared with the running thread, so that a detached thread can still finish safely after
// its CThread object is gone.
struct CThread::State {
  bool done = false;              // under the shared lock
  DWORD exitCode = STILL_ACTIVE;  // under the shared lock
};

CThread::~CThread() {
  if (m_thread.joinable()) {
    if (IsRunning())
      m_thread.detach();
    else
      m_thread.join();
  }
}

bool CThread::Start(std::function<DWORD()> body) {
  if (IsRunning()) return false;
  if (m_thread.joinable()) m_thread.join();
  auto state = std::make_shared<State>();
  Lock();
  m_state = state;
  Unlock();
  m_thread = std::thread([state, body = std::move(body)] {
    DWORD code = body();
    Lock();
    state->done = true;
    if (state->exitCode == STILL_ACTIVE) state->exitCode = code;
    Unlock();
    NotifyAll();
  });
  return true;
}

// m_state is read under the shared lock: StopWithGrace may replace it from another thread.
bool CThread::IsRunning() const {
  Lock();
  bool running = m_state && !m_state->done;
  Unlock();
  return running;
}

DWORD CThread::GetExitCode() const {
  Lock();
  DWORD code = m_state ? m_state->exitCode : 0;
  Unlock();
  return code;
}

bool CThread::StopWithGrace(DWORD graceMs, DWORD codeIfStillRunning) {
  if (!m_state) return true;
  if (m_thread.get_id() == std::this_thread::get_id()) return false;
  if (WaitForSingleObject(*this, graceMs) == WAIT_OBJECT_0) {
    if (m_thread.joinable()) m_thread.join();
    return true;
  }
  // The thread counts as ended from now on, as a terminated thread would: waits on it are
  // satisfied, its exit code is the given one and it may be started again. The detached body
  // keeps the old state to itself.
  auto ended = std::make_shared<State>();
  ended->done = true;
  ended->exitCode = codeIfStillRunning;
  Lock();
  const bool finishedMeanwhile = m_state->done;
  if (!finishedMeanwhile) m_state = ended;
  Unlock();
  if (finishedMeanwhile) {
    if (m_thread.joinable()) m_thread.join();
    return true;
  }
  if (m_thread.joinable()) m_thread.detach();
  return false;
}

bool CThread::IsSignaledLocked() const { return !m_state || m_state->done; }

BOOL SetThreadPriority(CThread& thread, int /*priority*/) { return thread.IsRunning() ? TRUE : FALSE; }
