#include "platform/res/LanguageModule.h"

#include <cstdlib>
#include <fstream>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/res/ResourceLookup.h"
#include "platform/res/ResourceScript.h"
#include "platform/res/ResourceText.h"

namespace {

const LPCWSTR RT_DIALOG_TYPE = MAKEINTRESOURCEW(5);

struct SLanguageModule : SResourceModule {
  std::map<UINT, CString> strings;
  // The compiled menus and dialogs; a list keeps the bytes where the resource table points.
  std::list<std::vector<BYTE>> templates;
};

// One "[...]" section of the file: the words of its header line and the lines that follow.
struct SSection {
  std::string kind;
  std::string name;
  std::string text;
};

std::mutex g_modulesLock;
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

// Lines before the first header belong to no section and are dropped.
std::vector<SSection> SplitSections(const std::string& text) {
  std::vector<SSection> sections;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    const auto first = line.find_first_not_of(" \t");
    if (first != std::string::npos && line[first] == '[') {
      const auto close = line.find(']', first);
      std::istringstream words(
          line.substr(first + 1, close == std::string::npos ? std::string::npos : close - first - 1));
      SSection section;
      std::string extra;
      words >> section.kind >> section.name >> extra;
      // A header that is not closed or has more words than it should names no section we know.
      if (close == std::string::npos || !extra.empty()) section.kind.clear();
      sections.push_back(std::move(section));
      continue;
    }
    if (!sections.empty()) sections.back().text += line + '\n';
  }
  return sections;
}

// The entries of a [strings] section; false for a malformed entry.
bool ReadStrings(const std::string& text, std::map<UINT, CString>& strings) {
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (IsBlankOrComment(line)) continue;
    SStringLine entry;
    std::string error;
    if (!ParseStringLine(line, entry, error)) return false;
    strings[entry.id] = entry.text;
  }
  return true;
}

// The resource id of a "[menu NNN]" or "[dialog NNN]" header: decimal, 0 to 65535.
bool ReadResourceId(const std::string& name, WORD& id) {
  if (name.empty() || name.size() > 5 || name.find_first_not_of("0123456789") != std::string::npos)
    return false;
  const unsigned long value = std::strtoul(name.c_str(), nullptr, 10);
  if (value > 0xFFFF) return false;
  id = WORD(value);
  return true;
}

// Compiles a menu or dialog section into the module's resources. A section that does not
// compile is left out, so that the program's own resource of that id is used instead.
void AddTemplate(SLanguageModule& module, const SSection& section) {
  WORD id = 0;
  if (!ReadResourceId(section.name, id)) return;
  std::vector<std::uint8_t> bytes;
  try {
    bytes = section.kind == "menu" ? ResourceScript::CompileMenu(section.text)
                                   : ResourceScript::CompileDialog(section.text);
  } catch (const ResourceScript::ResourceScriptError&) {
    return;
  }
  const std::vector<BYTE>& stored = module.templates.emplace_back(bytes.begin(), bytes.end());
  AddResource(&module, section.kind == "menu" ? RT_MENU : RT_DIALOG_TYPE, MAKEINTRESOURCEW(id), stored.data(),
              stored.size());
}

}  // namespace

HMODULE LoadLibrary(const CString& path) {
  std::lock_guard lock(g_modulesLock);
  for (const auto& module : Modules())
    if (module->path == path) return module.get();
  std::string text;
  if (!ReadFileText(path, text)) return nullptr;
  const std::vector<SSection> sections = SplitSections(text);
  auto module = std::make_unique<SLanguageModule>();
  for (const SSection& section : sections)
    if (section.kind == "strings" && !ReadStrings(section.text, module->strings)) return nullptr;
  module->path = path;
  for (const SSection& section : sections)
    if (section.kind == "menu" || section.kind == "dialog") AddTemplate(*module, section);
  Modules().push_back(std::move(module));
  return Modules().back().get();
}

bool LoadModuleString(HMODULE module, UINT id, CString& out) {
  if (!module) return false;
  std::lock_guard lock(g_modulesLock);
  for (const auto& loaded : Modules()) {
    if (loaded.get() != module) continue;
    auto it = loaded->strings.find(id);
    if (it == loaded->strings.end()) return false;
    out = it->second;
    return true;
  }
  return false;
}
