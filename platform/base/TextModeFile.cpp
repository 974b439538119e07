#include "platform/base/TextModeFile.h"

#include <cstring>
#include <string>

namespace {

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

}  // namespace

std::FILE* OpenTextModeFile(const char* path, const char* mode) {
  std::FILE* file = std::fopen(path, mode);
  if (!file || std::strchr(mode, 'b')) return file;
  // The outer stream buffers; the underlying one is written through at each flush of the
  // outer one, so its own buffer holds nothing the outer flush did not push.
  std::setvbuf(file, nullptr, _IONBF, 0);
  cookie_io_functions_t functions{nullptr, &WriteCrLf, nullptr, &CloseUnderlying};
  std::FILE* text = fopencookie(file, mode, functions);
  if (!text) std::fclose(file);
  return text;
}
