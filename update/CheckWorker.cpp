#include "update/CheckWorker.h"

#include "platform/ui/Wnd.h"

bool CCheckWorkerState::PostVersion(UINT message, const CVersion& version) {
  const WPARAM wParam = WPARAM(version.GetPart(0)) | WPARAM(version.GetPart(1)) << 16;
  const LPARAM lParam = LPARAM(version.GetPart(2)) | LPARAM(version.GetPart(3)) << 16;
  std::lock_guard<std::mutex> guard(m_fence);
  if (m_bRetired || !m_pNotify) return false;
  return m_pNotify->PostMessage(message, wParam, lParam) != FALSE;
}

bool CCheckWorker::Start(CWnd* notify, std::function<DWORD(CCheckWorkerState&)> body) {
  Stop();
  auto state = std::make_shared<CCheckWorkerState>(notify);
  auto thread = std::make_unique<CThread>();
  // The thread holds the state, so a retired thread never reaches into a freed one.
  if (!thread->Start([state, body = std::move(body)] { return body(*state); })) return false;
  m_pState = std::move(state);
  m_pThread = std::move(thread);
  return true;
}

void CCheckWorker::Stop() {
  if (!m_pThread) return;
  // A stopped check's result is no longer wanted: fenced off before the wait, so that even a
  // thread outliving the grace period posts nothing.
  {
    std::lock_guard<std::mutex> guard(m_pState->m_fence);
    m_pState->m_bRetired = true;
  }
  m_pState->m_stop = true;
  m_pThread->StopWithGrace(kGraceMs, kStoppedExitCode);
}

bool CCheckWorker::Wait(DWORD ms) {
  return !m_pThread || WaitForSingleObject(*m_pThread, ms) == WAIT_OBJECT_0;
}
