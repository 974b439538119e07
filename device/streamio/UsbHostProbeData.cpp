#include "device/streamio/UsbHostProbeData.h"

#include <algorithm>
#include <cstring>

#include "device/streamio/UsbHostProbeManager.h"
#include "platform/base/Clock.h"
#include "platform/base/ErrorCodes.h"
#include "platform/base/FileException.h"
#include "platform/io/HidBackend.h"

namespace StreamIO {

namespace {

constexpr int kHeader = 2;

int PayloadLength(const std::vector<BYTE>& report) { return report[1] & 0x0F; }
int SequenceOf(const std::vector<BYTE>& report) { return report[1] >> 5; }

}  // namespace

CUsbHostProbeData::CUsbHostProbeData() : m_manager(&CUsbHostProbeManager::Instance()) {}

CUsbHostProbeData::~CUsbHostProbeData() { Close(); }

int CUsbHostProbeData::RemainingMs(DWORD start) const {
  if (m_readTimeout < 0) return -1;
  const DWORD elapsed = GetTickCount() - start;
  return elapsed >= DWORD(m_readTimeout) ? 0 : int(DWORD(m_readTimeout) - elapsed);
}

bool CUsbHostProbeData::Open(const CString& name, DWORD openFlags) {
  if (!BeginOpen(name, openFlags)) return false;
  m_reportLength = 0;
  const std::string path = name.ToUtf8();
  int index = 0;
  if (m_handle >= 0 && m_handle != m_manager->FindHandle(m_path, CUsbHostProbeManager::eData, index)) {
    try {
      DoClose();
    } catch (const CFileException&) {
      // The stale handle is dropped either way; the new open decides the result.
    }
  }
  int readHandle = -1;
  if (int error = GetHidBackend().Open(path, true, readHandle)) Raise(error);
  int handle = -1;
  int refused = 0;
  try {
    refused = m_manager->OpenHandle(path, CUsbHostProbeManager::eData, handle);
  } catch (const CFileException&) {
    GetHidBackend().Close(readHandle);
    throw;
  }
  if (refused != 0) {
    GetHidBackend().Close(readHandle);
    KeepError(refused);
    return false;
  }
  m_handle = handle;
  m_readHandle = readHandle;
  m_path = path;
  SHidCaps caps;
  int error = GetHidBackend().GetCaps(m_handle, caps);
  if (error == 0 && caps.inputReportLength <= kHeader) error = ERROR_INVALID_PARAMETER;
  if (error != 0) {
    Close();
    Raise(error);
  }
  m_reportLength = caps.inputReportLength;
  m_report.assign(size_t(m_reportLength), 0);
  m_restOffset = 0;
  return !HasError();
}

void CUsbHostProbeData::DoClose() {
  ClearError();
  m_report.clear();
  m_restOffset = 0;
  m_cancel = false;
  if (m_readHandle >= 0) {
    m_wake.Raise();
    GetHidBackend().Close(m_readHandle);
    m_readHandle = -1;
  }
  if (m_handle < 0) return;
  m_handle = -1;
  m_manager->ReleaseHandle(m_path, CUsbHostProbeManager::eData);
}

bool CUsbHostProbeData::IsOpen() {
  int value = CUsbHostProbeManager::eTimeout;
  m_manager->WaitForEvents(value, 0);
  while (value != CUsbHostProbeManager::eTimeout && value != CUsbHostProbeManager::eClose)
    m_manager->WaitForEvents(value, 50);
  int index = 0;
  return m_handle >= 0 && m_manager->FindHandle(m_path, CUsbHostProbeManager::eData, index) == m_handle;
}

bool CUsbHostProbeData::GetTimeouts(int& readTimeout, int& writeTimeout) {
  readTimeout = m_readTimeout;
  writeTimeout = m_writeTimeout;
  return true;
}

bool CUsbHostProbeData::SetTimeouts(int readTimeout, int writeTimeout) {
  m_readTimeout = readTimeout < 0 ? -1 : readTimeout;
  m_writeTimeout = writeTimeout < 0 ? -1 : writeTimeout;
  return true;
}

bool CUsbHostProbeData::Cancel() {
  m_cancel = true;
  m_wake.Raise();
  return true;
}

void CUsbHostProbeData::SetPollingInterval(int ms) { m_pollingInterval = ms < 0 ? 0 : ms; }

int CUsbHostProbeData::GetPollingInterval() { return m_pollingInterval; }

int CUsbHostProbeData::GetSequenceNumber() { return m_report.empty() ? 0 : SequenceOf(m_report); }

int CUsbHostProbeData::TakeRest(BYTE* target, int count) {
  if (m_restOffset == 0) return 0;
  const int length = std::min(PayloadLength(m_report), m_reportLength - kHeader);
  const int take = std::min(count, length - m_restOffset);
  std::memcpy(target, &m_report[size_t(kHeader + m_restOffset)], size_t(take));
  m_restOffset += take;
  if (m_restOffset >= length) m_restOffset = 0;
  return take;
}

int CUsbHostProbeData::Read(void* buffer, int count) {
  ClearError();
  if (m_handle < 0 || m_readHandle < 0) Raise(ERROR_INVALID_HANDLE);
  if (!(GetOpenFlags() & OPEN_READ)) Raise(ERROR_READ_FAULT);
  if (count <= 0) return 0;
  BYTE* target = static_cast<BYTE*>(buffer);
  int got = TakeRest(target, count);
  const DWORD start = GetTickCount();
  std::vector<BYTE> incoming(m_report.size());
  while (got < count) {
    if (m_cancel) {
      KeepError(ERROR_OPERATION_ABORTED);
      break;
    }
    int received = 0;
    const int left = RemainingMs(start);
    const int error = GetHidBackend().ReadInput(m_readHandle, incoming.data(), m_reportLength,
                                                left < 0 ? -1 : left, m_wake, received);
    if (error == ERROR_OPERATION_ABORTED) continue;
    if (error != 0 && error != ERROR_TIMEOUT) Raise(error);
    if (error == 0 && received > kHeader && SequenceOf(incoming) != SequenceOf(m_report)) {
      m_report = incoming;
      const int length = std::min(PayloadLength(m_report), received - kHeader);
      const int take = std::min(count - got, length);
      std::memcpy(target + got, &m_report[kHeader], size_t(take));
      got += take;
      m_restOffset = take < length ? take : 0;
      continue;
    }
    const int remaining = RemainingMs(start);
    if (remaining == 0) {
      KeepError(ERROR_TIMEOUT);
      break;
    }
    if (remaining < 0 || remaining > m_pollingInterval + 1) Sleep(DWORD(m_pollingInterval));
  }
  return got;
}

int CUsbHostProbeData::Write(const void*, int) {
  ClearError();
  return 0;
}

void CUsbHostProbeData::Purge() {
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
