#include "device/streamio/RamDisk.h"

#include <algorithm>

#include "platform/base/ErrorCodes.h"
#include "platform/base/FileException.h"

namespace StreamIO {

namespace {

constexpr DWORD kShareBits = OPEN_SHARE_READ | OPEN_SHARE_WRITE;

// The run-time flags that an open with these flags takes on a ring file without share bits.
DWORD RunFlagsOf(DWORD openFlags) {
  DWORD flags = 0;
  if (openFlags & OPEN_READ) flags |= CRamFile::RUN_READER;
  if (openFlags & OPEN_WRITE) flags |= CRamFile::RUN_WRITER;
  return flags;
}

bool IsSingleReaderWriter(DWORD fileFlags) { return (fileFlags & OPEN_RING) && !(fileFlags & kShareBits); }

}  // namespace

CRamDisk::CRamDisk(const CString& name) : m_strName(name) {
  const int colon = m_strName.Find(u':');
  if (colon < 0) {
    m_strName += u':';
  } else if (colon != m_strName.GetLength() - 1) {
    ThrowFileException(ERROR_INVALID_NAME, name);
  }
}

std::shared_ptr<CRamFile> CRamDisk::OpenFile(const CString& fullName, DWORD openFlags) {
  CString name = fullName;
  const int prefix = m_strName.GetLength();
  if (name.GetLength() >= prefix && name.Left(prefix).CompareNoCase(m_strName) == 0) name = name.Mid(prefix);
  if (name.Find(u':') >= 0) ThrowFileException(ERROR_INVALID_NAME, fullName);

  CSingleLock lock(m_lock);
  std::shared_ptr<CRamFile> file;
  if (auto found = m_files.find(name); found != m_files.end()) {
    file = found->second;
    CheckOpen(*file, openFlags, fullName);
  } else {
    if ((openFlags & OPEN_CREATION_MASK) == OPEN_EXISTING_ONLY)
      ThrowFileException(ERROR_FILE_NOT_FOUND, fullName);
    file = std::make_shared<CRamFile>(openFlags & (kShareBits | OPEN_RING));
    m_files.emplace(name, file);
  }
  file->AddOpen();
  if (IsSingleReaderWriter(file->GetFlags())) file->SetRunFlags(RunFlagsOf(openFlags));
  return file;
}

void CRamDisk::CheckOpen(CRamFile& file, DWORD openFlags, const CString& fullName) {
  const DWORD creation = openFlags & OPEN_CREATION_MASK;
  const DWORD fileFlags = file.GetFlags();
  if (creation == OPEN_CREATE_NEW) ThrowFileException(ERROR_FILE_EXISTS, fullName);
  if (creation == OPEN_CREATE_OR_TRUNCATE) {
    if (!(fileFlags & OPEN_SHARE_WRITE)) ThrowFileException(ERROR_SHARING_VIOLATION, fullName);
    if (fileFlags & OPEN_RING) ThrowFileException(ERROR_OPEN_FAILED, fullName);
  }
  if (IsSingleReaderWriter(fileFlags)) {
    if (fileFlags & RunFlagsOf(openFlags)) ThrowFileException(ERROR_SHARING_VIOLATION, fullName);
    return;
  }
  if ((openFlags & OPEN_READ) && !(fileFlags & OPEN_SHARE_READ))
    ThrowFileException(ERROR_SHARING_VIOLATION, fullName);
  if ((openFlags & OPEN_WRITE) && !(fileFlags & OPEN_SHARE_WRITE))
    ThrowFileException(ERROR_SHARING_VIOLATION, fullName);
  if (creation == OPEN_CREATE_OR_TRUNCATE) file.SetLength(0);
}

void CRamDisk::CloseFile(const std::shared_ptr<CRamFile>& file, DWORD openFlags) {
  if (!file) return;
  CSingleLock lock(m_lock);
  // A file of an earlier disk (the library was shut down meanwhile) is no longer in the map;
  // its holder's reference is all that keeps it.
  const auto entry =
      std::find_if(m_files.begin(), m_files.end(), [&file](const auto& item) { return item.second == file; });
  if (file->ReleaseOpen() <= 0) {
    if (entry != m_files.end()) m_files.erase(entry);
    return;
  }
  if (IsSingleReaderWriter(file->GetFlags())) file->ClearRunFlags(RunFlagsOf(openFlags));
}

}  // namespace StreamIO
