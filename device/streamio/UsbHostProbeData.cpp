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

CUsbHostProbeData::CUsbHostProbeData() : CUsbHostProbeStream(CUsbHostProbeManager::eData) {}

CUsbHostProbeData::~CUsbHostProbeData() { Close(); }

bool CUsbHostProbeData::Open(const CString& name, DWORD openFlags) {
  if (!BeginOpen(name, openFlags)) return false;
  m_reportLength = 0;
  const std::string path = name.ToUtf8();
  DropStaleHandle();
  int readHandle = -1;
  if (int error = GetHidBackend().Open(path, true, readHandle)) Raise(error);
  bool taken = false;
  try {
    taken = TakeHandle(path);
  } catch (const CFileException&) {
    GetHidBackend().Close(readHandle);
    throw;
  }
  if (!taken) {
    GetHidBackend().Close(readHandle);
    return false;
  }
  m_readHandle = readHandle;
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
  ResetCancel();
  if (m_readHandle >= 0) {
    m_wake.Raise();
    GetHidBackend().Close(m_readHandle);
    m_readHandle = -1;
  }
  ReleaseHandle();
}

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
    if (CheckCancelled()) break;
    int received = 0;
    const int left = RemainingMs(start, m_readTimeout);
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
    const int remaining = RemainingMs(start, m_readTimeout);
    if (remaining == 0) {
      KeepError(ERROR_TIMEOUT);
      break;
    }
    if (!WaitForNextPoll(remaining)) break;
  }
  return got;
}

int CUsbHostProbeData::Write(const void*, int) {
  ClearError();
  return 0;
}

}  // namespace StreamIO
