#include "device/streamio/RamStream.h"

#include <algorithm>
#include <new>

#include "device/streamio/RamDisk.h"
#include "device/streamio/StreamIO.h"
#include "platform/base/ErrorCodes.h"
#include "platform/base/FileException.h"

namespace StreamIO {

namespace {

constexpr char16_t kPrefix[] = u"RAM:";
constexpr int kPrefixLength = 4;

}  // namespace

CRamStream::CRamStream(const CString& name, DWORD openFlags) { Open(name, openFlags); }

CRamStream::~CRamStream() { Release(); }

template <class F>
auto CRamStream::Guarded(F operation) {
  try {
    return operation();
  } catch (const CFileException& e) {
    Raise(e.m_lOsError);
  }
}

bool CRamStream::Open(const CString& name, DWORD openFlags) {
  CString fullName = name;
  if (fullName.Left(kPrefixLength).CompareNoCase(kPrefix) != 0) fullName = kPrefix + fullName;
  if (!BeginOpen(fullName, openFlags)) return false;
  CRamDisk* disk = GetRamDisk();
  if (!disk) Raise(ERROR_OUTOFMEMORY);
  // The disk's refusal reaches the caller with its own code; until it answers the stream
  // reports a general failure.
  KeepError(ERROR_GEN_FAILURE);
  try {
    m_file = Guarded([&] { return disk->OpenFile(fullName, openFlags); });
  } catch (const std::bad_alloc&) {
    Raise(ERROR_OUTOFMEMORY);
  }
  ClearError();
  m_dwPosition = 0;
  return true;
}

void CRamStream::DoClose() { Release(); }

void CRamStream::Release() {
  if (m_file) {
    // Without a disk the library has been shut down and the file is already off the disk.
    if (CRamDisk* disk = GetRamDisk()) disk->CloseFile(m_file, GetOpenFlags());
    m_file.reset();
  }
  ClearError();
  m_dwPosition = 0;
}

void CRamStream::Purge() {
  ClearError();
  RequireOpen();
  if (m_file->IsRing()) m_file->SetLength(0);
}

int CRamStream::Read(void* buffer, int count) {
  ClearError();
  RequireOpen();
  if (!(GetOpenFlags() & OPEN_READ)) Raise(ERROR_READ_FAULT);
  const int done = Guarded([&] { return m_file->Read(m_dwPosition, buffer, count); });
  if (done == 0 && count > 0) KeepError(ERROR_HANDLE_EOF);
  return done;
}

int CRamStream::Write(const void* buffer, int count) {
  ClearError();
  RequireOpen();
  if (!(GetOpenFlags() & OPEN_WRITE)) Raise(ERROR_WRITE_FAULT);
  return Guarded([&] { return m_file->Write(m_dwPosition, buffer, count); });
}

bool CRamStream::CanSeek() { return m_file && !m_file->IsRing(); }

int CRamStream::GetLength() {
  ClearError();
  RequireOpen();
  return m_file->GetLength();
}

int CRamStream::Seek(int offset, int origin) {
  ClearError();
  RequireOpen();
  if (!Guarded([&] { return m_file->Seek(m_dwPosition, offset, origin); })) Raise(ERROR_SEEK_ON_DEVICE);
  return int(m_dwPosition);
}

int CRamStream::SeekTo(int position) {
  ClearError();
  m_dwPosition = DWORD(position);
  return position;
}

void CRamStream::SetLength() {
  ClearError();
  RequireOpen();
  if (!(GetOpenFlags() & OPEN_WRITE)) Raise(ERROR_WRITE_FAULT);
  m_file->SetLength(m_dwPosition);
}

bool CRamStream::Reserve(int bytes) {
  ClearError();
  RequireOpen();
  try {
    m_file->Reserve(std::size_t(std::max(bytes, 0)));
    return true;
  } catch (const CMemoryException&) {
    return false;
  }
}

void CRamStream::RequireOpen() {
  if (!m_file) Raise(ERROR_INVALID_HANDLE);
}

}  // namespace StreamIO
