#include "device/streamio/UsbHostProbeStream.h"

#include <algorithm>

#include "device/streamio/UsbHostProbeManager.h"
#include "platform/base/Clock.h"
#include "platform/base/ErrorCodes.h"
#include "platform/base/FileException.h"

namespace StreamIO {

CUsbHostProbeStream::CUsbHostProbeStream(int kind)
    : m_manager(&CUsbHostProbeManager::Instance()), m_kind(kind) {}

void CUsbHostProbeStream::DropStaleHandle() {
  int index = 0;
  if (m_handle < 0 || m_handle == m_manager->FindHandle(m_path, m_kind, index)) return;
  try {
    DoClose();
  } catch (const CFileException&) {
    // The stale handle is dropped either way; the new open decides the result.
  }
}

bool CUsbHostProbeStream::TakeHandle(const std::string& path) {
  int handle = -1;
  if (int refused = m_manager->OpenHandle(path, m_kind, handle)) {
    KeepError(refused);
    return false;
  }
  m_handle = handle;
  m_path = path;
  return true;
}

void CUsbHostProbeStream::ReleaseHandle() {
  if (m_handle < 0) return;
  m_handle = -1;
  m_manager->ReleaseHandle(m_path, m_kind);
}

bool CUsbHostProbeStream::IsOpen() {
  int value = CUsbHostProbeManager::eTimeout;
  m_manager->WaitForEvents(value, 0);
  while (value != CUsbHostProbeManager::eTimeout && value != CUsbHostProbeManager::eClose) {
    Sleep(1);
    m_manager->WaitForEvents(value, 50);
  }
  int index = 0;
  return m_handle >= 0 && m_manager->FindHandle(m_path, m_kind, index) == m_handle;
}

bool CUsbHostProbeStream::GetTimeouts(int& readTimeout, int& writeTimeout) {
  readTimeout = m_readTimeout;
  writeTimeout = m_writeTimeout;
  return true;
}

bool CUsbHostProbeStream::SetTimeouts(int readTimeout, int writeTimeout) {
  m_readTimeout = readTimeout < 0 ? -1 : readTimeout;
  m_writeTimeout = writeTimeout < 0 ? -1 : writeTimeout;
  return true;
}

bool CUsbHostProbeStream::Cancel() {
  m_cancel = true;
  m_wake.Raise();
  return true;
}

void CUsbHostProbeStream::SetPollingInterval(int ms) { m_pollingInterval = ms < 0 ? 0 : ms; }

int CUsbHostProbeStream::GetPollingInterval() { return m_pollingInterval; }

bool CUsbHostProbeStream::CheckCancelled() {
  if (!m_cancel) return false;
  KeepError(ERROR_OPERATION_ABORTED);
  return true;
}

int CUsbHostProbeStream::RemainingMs(DWORD start, int timeout) {
  if (timeout < 0) return -1;
  const ULONGLONG elapsed = GetTickCount() - start;
  const ULONGLONG span = TimeoutSpan(ULONGLONG(timeout));
  return elapsed >= span ? 0 : int(std::min<ULONGLONG>(span - elapsed, 0x7FFFFFFF));
}

bool CUsbHostProbeStream::WaitForNextPoll(int left) {
  // Announced before the flag is looked at: a Cancel in between still ends the wait.
  CWakeSignal::CWaitScope scope(m_wake);
  if (CheckCancelled()) return false;
  const int wait = left < 0 ? m_pollingInterval : std::min(left, m_pollingInterval);
  if (wait > 0 && m_wake.WaitRaised(DWORD(wait))) return !CheckCancelled();
  return true;
}

void CUsbHostProbeStream::Purge() {
  const int readTimeout = m_readTimeout;
  const int writeTimeout = m_writeTimeout;
  SetTimeouts(0, 0);
  try {
    BYTE byte;
    while (Read(&byte, 1) == 1) {
    }
  } catch (const CFileException&) {
    // Purging ends at the first failure; the error stays kept for the caller.
  }
  SetTimeouts(readTimeout, writeTimeout);
}

}  // namespace StreamIO
