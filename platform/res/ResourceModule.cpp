#include "platform/res/ResourceModule.h"

#include <filesystem>
#include <system_error>

CString GetModuleFileName(HMODULE module) {
  if (module) return module->path;
  std::error_code error;
  auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return CString();
  return CString::FromUtf8(path.string());
}
