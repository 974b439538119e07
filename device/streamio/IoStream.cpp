#include "device/streamio/IoStream.h"

#include "device/streamio/StreamTable.h"
#include "platform/base/ErrorCodes.h"
#include "platform/base/FileException.h"

namespace StreamIO {

CIoStream::CIoStream() : m_dwHandle(CStreamTable::Instance().Register(this)) {}

CIoStream::~CIoStream() { CStreamTable::Instance().Unregister(m_dwHandle, this); }

bool CIoStream::Reopen() {
  if (m_strName.IsEmpty()) return false;
  return Open(CString(m_strName), m_dwOpenFlags);
}

void CIoStream::Close() {
  try {
    DoClose();
  } catch (const CFileException& e) {
    // Closing is best effort for every caller; the reason stays readable through GetError.
    m_nError = e.m_lOsError;
  }
}

bool CIoStream::GetTimeouts(int& /*readTimeout*/, int& /*writeTimeout*/) { return false; }

bool CIoStream::SetTimeouts(int /*readTimeout*/, int /*writeTimeout*/) { return false; }

bool CIoStream::IsTimeout() {
  const int error = GetError();
  return error == ERROR_HANDLE_EOF || error == ERROR_TIMEOUT;
}

BYTE CIoStream::ReadByte() {
  BYTE value = 0;
  Read(&value, 1);
  return value;
}

int CIoStream::WriteByte(BYTE value) { return Write(&value, 1); }

int CIoStream::Seek(int /*offset*/, int /*origin*/) { return 0; }

int CIoStream::SeekTo(int /*position*/) { return 0; }

void CIoStream::Raise(int code) {
  m_nError = code;
  ThrowFileException(code, m_strName);
}

bool CIoStream::BeginOpen(const CString& name, DWORD openFlags) {
  if (IsOpen()) {
    m_nError = ERROR_NOT_SUPPORTED;
    return false;
  }
  m_strName = name;
  m_dwOpenFlags = openFlags;
  m_nError = 0;
  return true;
}

}  // namespace StreamIO
