#include "platform/res/UserLanguage.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct SLanguageCode {
  const char* code;
  WORD primary;
};

// ISO 639-1 codes of the languages a language module may carry, with their primary ids.
constexpr SLanguageCode kLanguages[] = {
    {"bg", 0x02}, {"zh", 0x04}, {"cs", 0x05}, {"da", 0x06}, {"de", 0x07}, {"el", 0x08}, {"en", 0x09},
    {"es", 0x0A}, {"fi", 0x0B}, {"fr", 0x0C}, {"hu", 0x0E}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12},
    {"nl", 0x13}, {"nb", 0x14}, {"no", 0x14}, {"pl", 0x15}, {"pt", 0x16}, {"ro", 0x18}, {"ru", 0x19},
    {"hr", 0x1A}, {"sk", 0x1B}, {"sv", 0x1D}, {"tr", 0x1F}, {"uk", 0x22}, {"sl", 0x24},
};

const char* LocaleSetting() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return value;
  }
  return nullptr;
}

}  // namespace

LANGID GetUserDefaultLangID() {
  const LANGID english = MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT);
  const char* setting = LocaleSetting();
  if (!setting) return english;
  std::string code(setting, std::strcspn(setting, "_.@"));
  for (const auto& language : kLanguages)
    if (code == language.code) return MAKELANGID(language.primary, SUBLANG_DEFAULT);
  return english;
}
