#include "platform/base/TextModeFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {

constexpr char kUtf8Suffix[] = ",ccs=UTF-8";
constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

// The underlying file of a text-mode stream; the cookie functions turn LF into CR LF on the
// way out.
ssize_t WriteCrLf(void* cookie, const char* data, size_t size) {
  auto* file = static_cast<std::FILE*>(cookie);
  std::string out;
  out.reserve(size + size / 8);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') out += '\r';
    out += data[i];
  }
  if (std::fwrite(out.data(), 1, out.size(), file) != out.size()) return 0;
  return ssize_t(size);
}

int CloseUnderlying(void* cookie) { return std::fclose(static_cast<std::FILE*>(cookie)); }

// Opens for writing with "w" or "w+" while holding a write lock on the whole file; the file is
// emptied only once the lock is held, so a refused open leaves it alone.
std::FILE* OpenLockedForWriting(const char* path, const std::string& mode) {
  const bool update = mode.find('+') != std::string::npos;
  const int fd = ::open(path, (update ? O_RDWR : O_WRONLY) | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  if (::fcntl(fd, F_OFD_SETLK, &lock) != 0 || ::ftruncate(fd, 0) != 0) {
    ::close(fd);
    errno = EACCES;
    return nullptr;
  }
  std::FILE* file = ::fdopen(fd, mode.c_str());
  if (!file) ::close(fd);
  return file;
}

}  // namespace

std::FILE* OpenSharedTextModeFile(const char* path, const char* mode, int shareFlag) {
  std::string base = mode;
  const std::size_t suffix = base.find(kUtf8Suffix);
  const bool utf8 = suffix != std::string::npos;
  if (utf8) base.erase(suffix);
  const bool writing = !base.empty() && base[0] == 'w';
  std::FILE* file = shareFlag == SH_DENYWR && writing ? OpenLockedForWriting(path, base) : std::fopen(path, base.c_str());
  if (!file) return nullptr;
  if (utf8 && writing) std::fputs(kUtf8ByteOrderMark, file);
  if (base.find('b') != std::string::npos) return file;
  // The outer stream buffers; the underlying one is written through at each flush of the
  // outer one, so its own buffer holds nothing the outer flush did not push.
  std::fflush(file);
  std::setvbuf(file, nullptr, _IONBF, 0);
  cookie_io_functions_t functions{nullptr, &WriteCrLf, nullptr, &CloseUnderlying};
  std::FILE* text = fopencookie(file, base.c_str(), functions);
  if (!text) std::fclose(file);
  return text;
}

std::FILE* OpenTextModeFile(const char* path, const char* mode) { return OpenSharedTextModeFile(path, mode, SH_DENYNO); }
