#include "tests/tools/GridScriptInput.h"

#include <cctype>
#include <map>

#include "platform/ui/SimulatedInput.h"

bool KeyByName(const std::string& name, UINT& virtualKey) {
  static const std::map<std::string, UINT> kKeys = {
      {"left", VK_LEFT},     {"right", VK_RIGHT},   {"up", VK_UP},        {"down", VK_DOWN},
      {"tab", VK_TAB},       {"home", VK_HOME},     {"end", VK_END},      {"prior", VK_PRIOR},
      {"next", VK_NEXT},     {"return", VK_RETURN}, {"escape", VK_ESCAPE}, {"delete", VK_DELETE},
      {"space", VK_SPACE},   {"back", VK_BACK},     {"f2", VK_F2}};
  if (auto key = kKeys.find(name); key != kKeys.end()) {
    virtualKey = key->second;
    return true;
  }
  if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0]))) {
    virtualKey = UINT(std::toupper(static_cast<unsigned char>(name[0])));
    return true;
  }
  return false;
}

CString KeyText(UINT virtualKey, UINT modifiers) {
  const bool shift = (modifiers & MK_SHIFT) != 0;
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    // Control with a letter types its control character, as on the platform.
    if (modifiers & MK_CONTROL) return CString(char16_t(virtualKey - 'A' + 1), 1);
    return CString(char16_t(shift ? virtualKey : virtualKey - 'A' + 'a'), 1);
  }
  switch (virtualKey) {
    case VK_SPACE:
      return u" ";
    case VK_RETURN:
      return u"\r";
    case VK_TAB:
      return u"\t";
    case VK_BACK:
      return u"\b";
    case VK_ESCAPE:
      return u"\x1b";
    default:
      return CString();
  }
}

void TypeCharacter(CWnd* target, char16_t ch) {
  UINT key = 0;
  if (ch >= 'a' && ch <= 'z') key = UINT(ch - 'a' + 'A');
  if ((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')) key = UINT(ch);
  if (ch == ' ') key = VK_SPACE;
  SimulateTyping(target, key, CString(ch, 1));
}
