#include "platform/ui/MenuMnemonic.h"

#include <QChar>

namespace {

char16_t UpperCase(char16_t character) { return QChar(character).toUpper().unicode(); }

}  // namespace

char16_t MenuMnemonic(const CString& text) {
  const int length = text.GetLength();
  for (int i = 0; i + 1 < length; ++i) {
    const char16_t character = text[i];
    if (character == u'\t') return 0;
    if (character != u'&') continue;
    const char16_t next = text[i + 1];
    if (next == u'&') {
      ++i;
      continue;
    }
    return next == u'\t' ? 0 : UpperCase(next);
  }
  return 0;
}

std::vector<int> FindMenuMnemonic(HMENU menu, char16_t character) {
  std::vector<int> positions;
  if (character == 0) return positions;
  const char16_t wanted = UpperCase(character);
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    CString text;
    GetMenuStringW(menu, UINT(position), text, MF_BYPOSITION);
    if (MenuMnemonic(text) == wanted) positions.push_back(position);
  }
  return positions;
}
