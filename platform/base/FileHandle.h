#pragma once
// An operating-system file handle with the platform's file semantics: access, share and
// creation modes as the platform's file service takes them, and every failure reported as a
// Windows error number. Share modes hold between the handles of this process: a second open
// of the same file that the first one's share mode (or its own) does not allow fails with
// ERROR_SHARING_VIOLATION, as the platform refused it.

#include <cstdint>

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

class CFileHandle {
 public:
  enum : DWORD { ACCESS_READ = 0x1, ACCESS_WRITE = 0x2 };
  enum : DWORD { SHARE_READ = 0x1, SHARE_WRITE = 0x2 };
  enum class NCreation { OpenExisting, OpenAlways, CreateNew, CreateAlways };
  enum class NOrigin { Begin, Current, End };

  CFileHandle() = default;
  // Closes a handle still open; a failure then is not reported.
  ~CFileHandle();
  CFileHandle(const CFileHandle&) = delete;
  CFileHandle& operator=(const CFileHandle&) = delete;

  // Each operation returns 0 or the Windows error number of its failure.
  int Open(const CString& path, DWORD access, DWORD share, NCreation creation);
  int Close();
  bool IsValid() const { return m_fd >= 0; }
  // Reads until `count` bytes or the end of the file; `done` tells how many came.
  int Read(void* buffer, int count, int& done);
  // Writes all `count` bytes unless a failure stops it; `done` tells how many went.
  int Write(const void* buffer, int count, int& done);
  int Seek(std::int64_t offset, NOrigin origin, std::int64_t& newPosition);
  int GetSize(std::int64_t& size);
  // Ends the file at `length`, adding zero bytes when it grows.
  int Truncate(std::int64_t length);
  // Pushes the written data to the device.
  int Sync();

 private:
  int m_fd = -1;
  std::uint64_t m_device = 0;
  std::uint64_t m_inode = 0;
  bool m_registered = false;
};
