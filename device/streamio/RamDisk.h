#pragma once
// The in-memory disk that holds RAM files by name. A file comes into being with the first
// open that may create it and goes with the last close. Opens follow share rules: a linear
// file (or a ring file created with share bits) admits further opens only as its share bits
// allow; a ring file without share bits admits one reader and one writer at a time.
// Lock order: the disk's lock, then a file's lock.

#include <memory>
#include <unordered_map>

#include "device/streamio/RamFile.h"
#include "platform/base/String.h"
#include "platform/kernel/CriticalSection.h"

namespace StreamIO {

class CRamDisk {
 public:
  // File names compare case-sensitively.
  using CFileMap = std::unordered_map<CString, std::shared_ptr<CRamFile>>;

  // A name without ":" gets one appended; a name with a ":" before its end raises 123.
  explicit CRamDisk(const CString& name);
  CRamDisk(const CRamDisk&) = delete;
  CRamDisk& operator=(const CRamDisk&) = delete;

  const CString& GetName() const { return m_strName; }
  // The file named `fullName` (the disk's name in front is optional), opened once more.
  // Refusals raise CFileException with the name: 2, 32, 80, 110 or 123.
  std::shared_ptr<CRamFile> OpenFile(const CString& fullName, DWORD openFlags);
  // Undoes one OpenFile made with `openFlags`; the last close deletes the file.
  void CloseFile(const std::shared_ptr<CRamFile>& file, DWORD openFlags);

 private:
  static constexpr std::size_t kBuckets = 17;

  // Raises when the existing file refuses the open.
  static void CheckOpen(CRamFile& file, DWORD openFlags, const CString& fullName);

  CString m_strName;
  CCriticalSection m_lock;
  CFileMap m_files{kBuckets};
};

}  // namespace StreamIO
