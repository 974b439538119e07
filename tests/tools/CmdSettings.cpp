// zdtool settings get KEY | set KEY NAME sz:TEXT|dword:N | delete KEY NAME
// Reads and changes the typed per-user settings store: get prints NAME=sz:TEXT or NAME=dword:N
// per value of the key, in the store's order (first written first).

#include <cstdio>
#include <string>

#include "platform/registry/RegistryStore.h"
#include "tests/tools/ZdTool.h"

namespace {

int SettingsUsage() {
  std::fprintf(stderr, "usage: zdtool settings get KEY | set KEY NAME sz:TEXT|dword:N | delete KEY NAME\n");
  return 2;
}

int Get(const CString& key) {
  if (!RegKeyExists(key)) {
    std::fprintf(stderr, "The key does not exist.\n");
    return 1;
  }
  for (const CString& name : RegEnumValueNames(key)) {
    DWORD number = 0;
    CString text;
    if (RegGetDword(key, name, number))
      std::printf("%s=dword:%u\n", name.ToUtf8().c_str(), unsigned(number));
    else if (RegGetString(key, name, text))
      std::printf("%s=sz:%s\n", name.ToUtf8().c_str(), text.ToUtf8().c_str());
  }
  return 0;
}

int Set(const CString& key, const CString& name, const std::string& value) {
  bool written = false;
  if (value.rfind("sz:", 0) == 0)
    written = RegSetString(key, name, CString::FromUtf8(value.substr(3)));
  else if (value.rfind("dword:", 0) == 0)
    written = RegSetDword(key, name, DWORD(std::stoul(value.substr(6))));
  else
    return SettingsUsage();
  if (written) return 0;
  std::fprintf(stderr, "The value could not be written.\n");
  return 1;
}

int RunSettings(const std::vector<std::string>& args) {
  if (args.size() == 2 && args[0] == "get") return Get(CString::FromUtf8(args[1]));
  if (args.size() == 4 && args[0] == "set")
    return Set(CString::FromUtf8(args[1]), CString::FromUtf8(args[2]), args[3]);
  if (args.size() == 3 && args[0] == "delete") {
    if (RegDeleteValue(CString::FromUtf8(args[1]), CString::FromUtf8(args[2]))) return 0;
    std::fprintf(stderr, "The value could not be deleted.\n");
    return 1;
  }
  return SettingsUsage();
}

const ZdCommandRegistrar kSettingsRegistrar({"settings",
                                             "get KEY | set KEY NAME sz:TEXT|dword:N | delete KEY NAME",
                                             &RunSettings});

}  // namespace
