#include "platform/base/FileHandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <vector>

#include "platform/base/ErrorCodes.h"

namespace {

// One open handle of a regular file, as the share check sees it.
struct SOpenFile {
  const CFileHandle* owner;
  std::uint64_t device;
  std::uint64_t inode;
  DWORD access;
  DWORD share;
};

std::mutex& OpenFilesLock() {
  static std::mutex* lock = new std::mutex;
  return *lock;
}

std::vector<SOpenFile>& OpenFiles() {
  static auto* files = new std::vector<SOpenFile>;
  return *files;
}

bool SharesAllow(const SOpenFile& other, DWORD access, DWORD share) {
  if ((access & CFileHandle::ACCESS_READ) && !(other.share & CFileHandle::SHARE_READ)) return false;
  if ((access & CFileHandle::ACCESS_WRITE) && !(other.share & CFileHandle::SHARE_WRITE)) return false;
  if ((other.access & CFileHandle::ACCESS_READ) && !(share & CFileHandle::SHARE_READ)) return false;
  if ((other.access & CFileHandle::ACCESS_WRITE) && !(share & CFileHandle::SHARE_WRITE)) return false;
  return true;
}

int OpenFlags(DWORD access, CFileHandle::NCreation creation) {
  int flags = O_CLOEXEC | O_NOCTTY;
  const bool write = (access & CFileHandle::ACCESS_WRITE) || creation == CFileHandle::NCreation::CreateAlways;
  if (write && (access & CFileHandle::ACCESS_READ)) {
    flags |= O_RDWR;
  } else if (write) {
    flags |= O_WRONLY;
  } else {
    flags |= O_RDONLY;
  }
  switch (creation) {
    case CFileHandle::NCreation::OpenExisting:
      break;
    case CFileHandle::NCreation::OpenAlways:
    case CFileHandle::NCreation::CreateAlways:
      flags |= O_CREAT;
      break;
    case CFileHandle::NCreation::CreateNew:
      flags |= O_CREAT | O_EXCL;
      break;
  }
  return flags;
}

}  // namespace

CFileHandle::~CFileHandle() { Close(); }

int CFileHandle::Open(const CString& path, DWORD access, DWORD share, NCreation creation) {
  if (IsValid()) return ERROR_INVALID_HANDLE;
  // Truncation waits until the share check has passed, so a refused open leaves the data.
  int fd;
  do {
    fd = ::open(path.ToUtf8().c_str(), OpenFlags(access, creation), 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return errno == EISDIR ? ERROR_ACCESS_DENIED : LastOsError();

  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    const int error = LastOsError();
    ::close(fd);
    return error;
  }
  if (S_ISDIR(info.st_mode)) {
    ::close(fd);
    return ERROR_ACCESS_DENIED;
  }

  std::lock_guard lock(OpenFilesLock());
  const bool regular = S_ISREG(info.st_mode);
  if (regular) {
    for (const SOpenFile& other : OpenFiles()) {
      if (other.device == info.st_dev && other.inode == info.st_ino && !SharesAllow(other, access, share)) {
        ::close(fd);
        return ERROR_SHARING_VIOLATION;
      }
    }
    if (creation == NCreation::CreateAlways && ::ftruncate(fd, 0) != 0) {
      const int error = LastOsError();
      ::close(fd);
      return error;
    }
    OpenFiles().push_back({this, info.st_dev, info.st_ino, access, share});
  }
  m_fd = fd;
  m_device = info.st_dev;
  m_inode = info.st_ino;
  m_registered = regular;
  return 0;
}

int CFileHandle::Close() {
  if (!IsValid()) return ERROR_INVALID_HANDLE;
  if (m_registered) {
    std::lock_guard lock(OpenFilesLock());
    auto& files = OpenFiles();
    std::erase_if(files, [this](const SOpenFile& file) { return file.owner == this; });
    m_registered = false;
  }
  // The descriptor is gone whatever close reports, so it is never closed twice.
  const int result = ::close(m_fd);
  m_fd = -1;
  return result == 0 || errno == EINTR ? 0 : LastOsError();
}

int CFileHandle::Read(void* buffer, int count, int& done) {
  done = 0;
  if (!IsValid()) return ERROR_INVALID_HANDLE;
  auto* bytes = static_cast<BYTE*>(buffer);
  while (done < count) {
    const ssize_t got = ::read(m_fd, bytes + done, size_t(count - done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return LastOsError();
    if (got == 0) break;
    done += int(got);
  }
  return 0;
}

int CFileHandle::Write(const void* buffer, int count, int& done) {
  done = 0;
  if (!IsValid()) return ERROR_INVALID_HANDLE;
  const auto* bytes = static_cast<const BYTE*>(buffer);
  while (done < count) {
    const ssize_t put = ::write(m_fd, bytes + done, size_t(count - done));
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return LastOsError();
    if (put == 0) break;
    done += int(put);
  }
  return 0;
}

int CFileHandle::Seek(std::int64_t offset, NOrigin origin, std::int64_t& newPosition) {
  newPosition = 0;
  if (!IsValid()) return ERROR_INVALID_HANDLE;
  const int whence = origin == NOrigin::Begin ? SEEK_SET : origin == NOrigin::Current ? SEEK_CUR : SEEK_END;
  // The platform refuses a position before the start with its own code.
  std::int64_t base = 0;
  if (whence == SEEK_CUR) base = ::lseek(m_fd, 0, SEEK_CUR);
  if (whence == SEEK_END) {
    struct stat info {};
    base = ::fstat(m_fd, &info) == 0 ? info.st_size : -1;
  }
  if (base < 0) return LastOsError();
  if (base + offset < 0) return ERROR_NEGATIVE_SEEK;
  const off_t result = ::lseek(m_fd, off_t(offset), whence);
  if (result < 0) return LastOsError();
  newPosition = result;
  return 0;
}

int CFileHandle::GetSize(std::int64_t& size) {
  size = 0;
  if (!IsValid()) return ERROR_INVALID_HANDLE;
  struct stat info {};
  if (::fstat(m_fd, &info) != 0) return LastOsError();
  size = info.st_size;
  return 0;
}

int CFileHandle::Truncate(std::int64_t length) {
  if (!IsValid()) return ERROR_INVALID_HANDLE;
  return ::ftruncate(m_fd, off_t(length)) == 0 ? 0 : LastOsError();
}

int CFileHandle::Sync() {
  if (!IsValid()) return ERROR_INVALID_HANDLE;
  if (::fsync(m_fd) == 0) return 0;
  // Terminals and pipes have nothing to push to a disk.
  return errno == EINVAL || errno == EROFS ? 0 : LastOsError();
}
