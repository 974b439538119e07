#include "device/streamio/UsbHostProbeControl.h"

#include <algorithm>
#include <cstring>

#include "device/streamio/UsbHostProbeManager.h"
#include "platform/base/Clock.h"
#include "platform/base/ErrorCodes.h"
#include "platform/base/FileException.h"
#include "platform/io/HidBackend.h"

namespace StreamIO {

namespace {

enum : BYTE {
  kFree = 0x01,
  kFromPc = 0x02,
  kCounterMask = 0x1C,
  kLengthMask = 0x3F,
};
constexpr int kHeader = 3;
constexpr int kMaxPayload = kLengthMask;

int PayloadLength(const std::vector<BYTE>& report) { return report[2] & kLengthMask; }

void SetPayloadLength(std::vector<BYTE>& report, int length) {
  report[2] = BYTE((report[2] & ~kLengthMask) | (length & kLengthMask));
}

bool IsFreeAndEmpty(const std::vector<BYTE>& report) {
  return (report[1] & kFree) && PayloadLength(report) == 0;
}

}  // namespace

CUsbHostProbeControl::CUsbHostProbeControl() : CUsbHostProbeStream(CUsbHostProbeManager::eControl) {}

CUsbHostProbeControl::~CUsbHostProbeControl() { Close(); }

int CUsbHostProbeControl::PayloadCapacity() const { return std::min(m_reportLength - kHeader, kMaxPayload); }

bool CUsbHostProbeControl::Open(const CString& name, DWORD openFlags) {
  if (!BeginOpen(name, openFlags)) return false;
  m_reportLength = 0;
  DropStaleHandle();
  if (!TakeHandle(name.ToUtf8())) return false;
  SHidCaps caps;
  int error = GetHidBackend().GetCaps(m_handle, caps);
  if (error == 0 && caps.featureReportLength <= kHeader) error = ERROR_INVALID_PARAMETER;
  if (error == 0) {
    m_reportLength = caps.featureReportLength;
    m_writeReport.assign(size_t(m_reportLength), 0);
    m_readReport.assign(size_t(m_reportLength), 0);
    m_restOffset = 0;
    error = GetHidBackend().GetFeature(m_handle, m_readReport.data(), m_reportLength);
  }
  if (error != 0) {
    Close();
    Raise(error);
  }
  return !HasError();
}

void CUsbHostProbeControl::DoClose() {
  ClearError();
  m_writeReport.clear();
  m_readReport.clear();
  m_restOffset = 0;
  ResetCancel();
  ReleaseHandle();
}

void CUsbHostProbeControl::ReadReport(std::vector<BYTE>& report) {
  report[0] = 0;
  if (int error = GetHidBackend().GetFeature(m_handle, report.data(), m_reportLength)) Raise(error);
}

void CUsbHostProbeControl::WriteReport(const std::vector<BYTE>& report) {
  if (int error = GetHidBackend().SetFeature(m_handle, report.data(), m_reportLength)) Raise(error);
}

int CUsbHostProbeControl::TakeRest(BYTE* target, int count) {
  if (m_restOffset == 0) return 0;
  const int length = std::min(PayloadLength(m_readReport), PayloadCapacity());
  const int take = std::min(count, length - m_restOffset);
  std::memcpy(target, &m_readReport[size_t(kHeader + m_restOffset)], size_t(take));
  m_restOffset += take;
  if (m_restOffset >= length) {
    m_restOffset = 0;
    SetPayloadLength(m_readReport, 0);
  }
  return take;
}

int CUsbHostProbeControl::Read(void* buffer, int count) {
  ClearError();
  if (m_handle < 0) Raise(ERROR_INVALID_HANDLE);
  if (!(GetOpenFlags() & OPEN_READ)) Raise(ERROR_READ_FAULT);
  if (count <= 0) return 0;
  BYTE* target = static_cast<BYTE*>(buffer);
  int got = TakeRest(target, count);
  const DWORD start = GetTickCount();
  while (got < count) {
    if (CheckCancelled()) break;
    ReadReport(m_readReport);
    const BYTE flags = m_readReport[1];
    const int length = std::min(PayloadLength(m_readReport), PayloadCapacity());
    if (!(flags & (kFree | kFromPc)) && length != 0) {
      const int take = std::min(count - got, length);
      std::memcpy(target + got, &m_readReport[kHeader], size_t(take));
      got += take;
      // The whole message is acknowledged at once; what the caller did not ask for stays here.
      m_readReport[1] |= kFree;
      WriteReport(m_readReport);
      m_restOffset = take < length ? take : 0;
      if (m_restOffset == 0) SetPayloadLength(m_readReport, 0);
      continue;
    }
    const int left = RemainingMs(start, m_readTimeout);
    if (left == 0) {
      KeepError(ERROR_TIMEOUT);
      break;
    }
    if (!WaitForNextPoll(left)) break;
  }
  return got;
}

int CUsbHostProbeControl::Write(const void* buffer, int count) {
  ClearError();
  if (m_handle < 0) Raise(ERROR_INVALID_HANDLE);
  if (!(GetOpenFlags() & OPEN_WRITE)) Raise(ERROR_WRITE_FAULT);
  const BYTE* source = static_cast<const BYTE*>(buffer);
  int written = 0;
  while (written < count) {
    const int chunk = std::min(count - written, PayloadCapacity());
    if (!WriteMessage(source + written, chunk, GetTickCount())) break;
    written += chunk;
  }
  return written;
}

bool CUsbHostProbeControl::WriteMessage(const BYTE* data, int count, DWORD start) {
  bool posted = false;
  for (;;) {
    if (CheckCancelled()) break;
    ReadReport(m_writeReport);
    if (!posted && IsFreeAndEmpty(m_writeReport)) {
      std::memcpy(&m_writeReport[kHeader], data, size_t(count));
      SetPayloadLength(m_writeReport, count);
      const BYTE counter = BYTE((((m_writeReport[1] & kCounterMask) >> 2) + 1) & 0x07);
      m_writeReport[1] = BYTE((m_writeReport[1] & ~(kFree | kCounterMask)) | kFromPc | (counter << 2));
      WriteReport(m_writeReport);
      posted = true;
      continue;
    }
    if (posted && (m_writeReport[1] & kFree) && (m_writeReport[1] & kFromPc)) {
      // Taken: the mailbox is emptied for the next message.
      SetPayloadLength(m_writeReport, 0);
      WriteReport(m_writeReport);
      return true;
    }
    const int left = RemainingMs(start, m_writeTimeout);
    if (left == 0) {
      KeepError(ERROR_TIMEOUT);
      break;
    }
    if (!WaitForNextPoll(left)) break;
  }
  // A message of ours that was never taken is withdrawn, so the mailbox is free again; a
  // message of the instrument's that blocked the way stays for the next read.
  if (m_writeReport[1] & kFromPc) {
    m_writeReport[1] |= kFree;
    SetPayloadLength(m_writeReport, 0);
    WriteReport(m_writeReport);
  }
  return false;
}

void CUsbHostProbeControl::Flush() {
  ClearError();
  if (m_handle < 0) Raise(ERROR_INVALID_HANDLE);
  ReadReport(m_writeReport);
  if ((m_writeReport[1] & kFromPc) && !IsFreeAndEmpty(m_writeReport)) {
    m_writeReport[1] |= kFree;
    SetPayloadLength(m_writeReport, 0);
    WriteReport(m_writeReport);
  }
}

}  // namespace StreamIO
