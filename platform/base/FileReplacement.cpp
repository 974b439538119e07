#include "platform/base/FileReplacement.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

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

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

CFileReplacement::CFileReplacement(const CString& target)
    : m_strTarget(target), m_strTemp(target + u".saving") {
  // Only a file goes: unlink leaves a folder of that name, and the write into it then fails.
  ::unlink(m_strTemp.ToUtf8().c_str());
}

CFileReplacement::~CFileReplacement() {
  if (!m_bCommitted) ::unlink(m_strTemp.ToUtf8().c_str());
}

int CFileReplacement::Commit() {
  const std::string temp = m_strTemp.ToUtf8(), target = m_strTarget.ToUtf8();
  if (const int error = SyncPath(temp, 0)) return OsErrorToWin(error);
  if (std::rename(temp.c_str(), target.c_str()) != 0) return OsErrorToWin(errno);
  m_bCommitted = true;
  // Some file systems cannot sync a folder (EINVAL); their entries are as safe as they get.
  const int error = SyncPath(FolderOf(target), O_DIRECTORY);
  return error == 0 || error == EINVAL ? 0 : OsErrorToWin(error);
}
