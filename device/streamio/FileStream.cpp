#include "device/streamio/FileStream.h"

#include "platform/base/ErrorCodes.h"

namespace StreamIO {

namespace {

CFileHandle::NCreation CreationOf(DWORD openFlags) {
  switch (openFlags & OPEN_CREATION_MASK) {
    case OPEN_OR_CREATE:
      return CFileHandle::NCreation::OpenAlways;
    case OPEN_CREATE_NEW:
      return CFileHandle::NCreation::CreateNew;
    case OPEN_CREATE_OR_TRUNCATE:
      return CFileHandle::NCreation::CreateAlways;
    default:
      return CFileHandle::NCreation::OpenExisting;
  }
}

}  // namespace

CFileStream::CFileStream(const CString& name, DWORD openFlags) { Open(name, openFlags); }

CFileStream::~CFileStream() {
  if (!m_file.IsValid()) return;
  // A destructor cannot report; the data written so far is all that can be kept.
  if (IsWritable()) m_file.Sync();
  m_file.Close();
}

bool CFileStream::Open(const CString& name, DWORD openFlags) {
  if (!BeginOpen(name, openFlags)) return false;
  DWORD access = 0;
  if (openFlags & OPEN_READ) access |= CFileHandle::ACCESS_READ;
  if (openFlags & OPEN_WRITE) access |= CFileHandle::ACCESS_WRITE;
  DWORD share = 0;
  if (openFlags & OPEN_SHARE_READ) share |= CFileHandle::SHARE_READ;
  if (openFlags & OPEN_SHARE_WRITE) share |= CFileHandle::SHARE_WRITE;
  Check(m_file.Open(name, access, share, CreationOf(openFlags)));
  return true;
}

void CFileStream::DoClose() {
  ClearError();
  if (!m_file.IsValid()) return;
  const int syncError = IsWritable() ? m_file.Sync() : 0;
  const int closeError = m_file.Close();
  Check(syncError != 0 ? syncError : closeError);
}

void CFileStream::Flush() {
  ClearError();
  RequireOpen();
  if (IsWritable()) Check(m_file.Sync());
}

int CFileStream::Read(void* buffer, int count) {
  ClearError();
  RequireOpen();
  if (!IsReadable()) Raise(ERROR_READ_FAULT);
  int done = 0;
  Check(m_file.Read(buffer, count, done));
  if (done == 0 && count > 0) KeepError(ERROR_HANDLE_EOF);
  return done;
}

int CFileStream::Write(const void* buffer, int count) {
  ClearError();
  RequireOpen();
  if (!IsWritable()) Raise(ERROR_WRITE_FAULT);
  int done = 0;
  Check(m_file.Write(buffer, count, done));
  if (done == 0 && count > 0) KeepError(ERROR_TIMEOUT);
  return done;
}

int CFileStream::GetLength() {
  ClearError();
  RequireOpen();
  std::int64_t size = 0;
  Check(m_file.GetSize(size));
  return int(DWORD(size));
}

int CFileStream::GetPosition() {
  ClearError();
  RequireOpen();
  return int(MoveTo(0, CFileHandle::NOrigin::Current));
}

int CFileStream::Seek(int offset, int origin) {
  ClearError();
  RequireOpen();
  switch (origin) {
    case SEEK_FROM_CURRENT:
      return int(MoveTo(offset, CFileHandle::NOrigin::Current));
    case SEEK_FROM_START:
      return int(MoveTo(offset, CFileHandle::NOrigin::Begin));
    case SEEK_FROM_END:
      return int(MoveTo(offset, CFileHandle::NOrigin::End));
    default:
      Raise(ERROR_SEEK);
  }
}

int CFileStream::SeekTo(int position) {
  ClearError();
  RequireOpen();
  return int(MoveTo(position, CFileHandle::NOrigin::Begin));
}

void CFileStream::SetLength() {
  ClearError();
  RequireOpen();
  if (!IsWritable()) Raise(ERROR_WRITE_FAULT);
  Check(m_file.Truncate(MoveTo(0, CFileHandle::NOrigin::Current)));
}

void CFileStream::RequireOpen() {
  if (!m_file.IsValid()) Raise(ERROR_INVALID_HANDLE);
}

std::int64_t CFileStream::MoveTo(std::int64_t offset, CFileHandle::NOrigin origin) {
  std::int64_t position = 0;
  Check(m_file.Seek(offset, origin, position));
  return position;
}

}  // namespace StreamIO
