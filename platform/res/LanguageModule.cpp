#include "platform/res/LanguageModule.h"

#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/res/ResourceText.h"

namespace {

struct SLanguageModule : SResourceModule {
  std::map<UINT, CString> strings;
};

std::mutex g_lock;
std::vector<std::unique_ptr<SLanguageModule>>& Modules() {
  static std::vector<std::unique_ptr<SLanguageModule>> modules;
  return modules;
}

bool ReadFileText(const CString& path, std::string& text) {
  std::ifstream file(path.ToUtf8(), std::ios::binary);
  if (!file) return false;
  std::ostringstream buffer;
  buffer << file.rdbuf();
  text = buffer.str();
  return true;
}

// The entries of the [strings] section; false for a malformed entry.
bool ReadStrings(const std::string& text, std::map<UINT, CString>& strings) {
  std::istringstream lines(text);
  std::string line;
  bool inStrings = false;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto first = line.find_first_not_of(" \t");
    if (first != std::string::npos && line[first] == '[') {
      inStrings = line.compare(first, 9, "[strings]") == 0;
      continue;
    }
    if (!inStrings || IsBlankOrComment(line)) continue;
    SStringLine entry;
    std::string error;
    if (!ParseStringLine(line, entry, error)) return false;
    strings[entry.id] = entry.text;
  }
  return true;
}

}  // namespace

HMODULE LoadLibrary(const CString& path) {
  std::lock_guard lock(g_lock);
  for (const auto& module : Modules())
    if (module->path == path) return module.get();
  std::string text;
  auto module = std::make_unique<SLanguageModule>();
  if (!ReadFileText(path, text) || !ReadStrings(text, module->strings)) return nullptr;
  module->path = path;
  Modules().push_back(std::move(module));
  return Modules().back().get();
}

bool LoadModuleString(HMODULE module, UINT id, CString& out) {
  if (!module) return false;
  std::lock_guard lock(g_lock);
  for (const auto& loaded : Modules()) {
    if (loaded.get() != module) continue;
    auto it = loaded->strings.find(id);
    if (it == loaded->strings.end()) return false;
    out = it->second;
    return true;
  }
  return false;
}
