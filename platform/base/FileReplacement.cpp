#include "platform/base/FileReplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/base/ErrorCodes.h"

namespace {

// Opens the file or folder and pushes what is written of it to the device; an errno value.
int SyncPath(const std::string& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int result = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return result;
}

// The file a path names once its symbolic links are followed; it need not exist. A chain of
// links longer than the system itself follows ends at the last link reached.
std::string FollowLinks(const std::string& path) {
  constexpr int kLongestChain = 40;
  std::filesystem::path file = path;
  for (int step = 0; step < kLongestChain; ++step) {
    std::error_code error;
    const std::filesystem::path link = std::filesystem::read_symlink(file, error);
    if (error) break;
    file = link.is_absolute() ? link : file.parent_path() / link;
  }
  return file.string();
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

CFileReplacement::CFileReplacement(const CString& target)
    : m_strTarget(target),
      m_file(FollowLinks(target.ToUtf8())),
      m_strTemp(CString::FromUtf8(m_file + ".saving")) {
  // Only a file goes: unlink leaves a folder of that name, and the write into it then fails.
  ::unlink(m_strTemp.ToUtf8().c_str());
}

CFileReplacement::~CFileReplacement() {
  if (!m_bCommitted) ::unlink(m_strTemp.ToUtf8().c_str());
}

int CFileReplacement::Commit() {
  const std::string temp = m_strTemp.ToUtf8();
  // A file readable by its owner alone must not become readable by others through a save.
  struct stat old {};
  if (::stat(m_file.c_str(), &old) == 0 && ::chmod(temp.c_str(), old.st_mode & 07777) != 0)
    return OsErrorToWin(errno);
  if (const int error = SyncPath(temp, 0)) return OsErrorToWin(error);
  if (std::rename(temp.c_str(), m_file.c_str()) != 0) return OsErrorToWin(errno);
  m_bCommitted = true;
  // Some file systems cannot sync a folder (EINVAL); their entries are as safe as they get.
  const int error = SyncPath(FolderOf(m_file), O_DIRECTORY);
  return error == 0 || error == EINVAL ? 0 : OsErrorToWin(error);
}
