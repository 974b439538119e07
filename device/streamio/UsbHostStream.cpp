#include "device/streamio/UsbHostStream.h"

#include "platform/base/Clock.h"
#include "platform/base/ErrorCodes.h"
#include "platform/base/FileException.h"
#include "platform/io/UsbBackend.h"

namespace StreamIO {

CUsbHostStream::~CUsbHostStream() { Close(); }

bool CUsbHostStream::Open(const CString& name, DWORD openFlags) {
  if (!BeginOpen(name, openFlags)) return false;
  if (int error = GetUsbBackend().Open(name.ToUtf8(), m_device)) Raise(error);
  try {
    OpenPipes(openFlags);
  } catch (const CFileException& e) {
    Close();
    KeepError(e.m_lOsError);
    throw;
  }
  return true;
}

void CUsbHostStream::OpenPipes(DWORD openFlags) {
  ClearError();
  if (openFlags & OPEN_READ)
    if (int error = GetUsbBackend().OpenPipe(m_device, 0, m_readPipe)) Raise(error);
  if (openFlags & OPEN_WRITE)
    if (int error = GetUsbBackend().OpenPipe(m_device, 1, m_writePipe)) Raise(error);
}

void CUsbHostStream::DoClose() {
  ClearError();
  CUsbBackend& usb = GetUsbBackend();
  int error = 0;
  if (m_writePipe >= 0) {
    m_wake.Raise();
    error = usb.ClosePipe(m_device, m_writePipe);
    m_writePipe = -1;
  }
  if (m_readPipe >= 0) {
    m_wake.Raise();
    if (int closeError = usb.ClosePipe(m_device, m_readPipe)) error = closeError;
    m_readPipe = -1;
  }
  if (m_device >= 0) {
    if (int closeError = usb.Close(m_device)) error = closeError;
    m_device = -1;
  }
  if (error != 0) Raise(error);
}

// Bulk pipes hold no output of their own: what was written has gone to the device.
void CUsbHostStream::Flush() { ClearError(); }

bool CUsbHostStream::GetTimeouts(int& readTimeout, int& writeTimeout) {
  readTimeout = m_readTimeout;
  writeTimeout = m_writeTimeout;
  return true;
}

bool CUsbHostStream::SetTimeouts(int readTimeout, int writeTimeout) {
  m_readTimeout = readTimeout < 0 ? -1 : readTimeout;
  m_writeTimeout = writeTimeout < 0 ? -1 : writeTimeout;
  return true;
}

bool CUsbHostStream::Cancel() {
  m_wake.Raise();
  return true;
}

int CUsbHostStream::Read(void* buffer, int count) {
  ClearError();
  if (!(GetOpenFlags() & OPEN_READ) || m_readPipe < 0) Raise(ERROR_READ_FAULT);
  BYTE* target = static_cast<BYTE*>(buffer);
  const DWORD start = GetTickCount();
  int total = 0;
  while (total < count) {
    int done = 0;
    const int error = GetUsbBackend().Transfer(m_device, m_readPipe, target + total, count - total,
                                               m_readTimeout, m_wake, done);
    // A cancelled transfer is no failure: it brought what it brought.
    if (error != 0 && error != ERROR_TIMEOUT && error != ERROR_OPERATION_ABORTED) Raise(error);
    total += done;
    if (done == 0) {
      KeepError(ERROR_HANDLE_EOF);
      return total;
    }
    if (total < count && m_readTimeout >= 0 &&
        GetTickCount() - start >= TimeoutSpan(ULONGLONG(m_readTimeout))) {
      KeepError(ERROR_TIMEOUT);
      return total;
    }
  }
  return total;
}

int CUsbHostStream::Write(const void* buffer, int count) {
  ClearError();
  if (!(GetOpenFlags() & OPEN_WRITE) || m_writePipe < 0) Raise(ERROR_WRITE_FAULT);
  int done = 0;
  const int error =
      GetUsbBackend().Transfer(m_device, m_writePipe, static_cast<BYTE*>(const_cast<void*>(buffer)), count,
                               m_writeTimeout, m_wake, done);
  if (error != 0 && error != ERROR_TIMEOUT && error != ERROR_OPERATION_ABORTED) Raise(error);
  if (done == 0 && count > 0) KeepError(ERROR_TIMEOUT);
  return done;
}

}  // namespace StreamIO
