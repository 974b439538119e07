#include "platform/base/MessageFormat.h"

namespace {

bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }

}  // namespace

CString FormatMessageText(const CString& pattern, const std::vector<CString>& inserts) {
  CString out;
  const int length = pattern.GetLength();
  for (int i = 0; i < length; ++i) {
    const char16_t ch = pattern[i];
    if (ch != u'%') {
      out += ch;
      continue;
    }
    if (i + 1 >= length) break;
    const char16_t next = pattern[++i];
    if (IsDigit(next) && next != u'0') {
      int number = next - u'0';
      if (i + 1 < length && IsDigit(pattern[i + 1])) number = number * 10 + (pattern[++i] - u'0');
      if (size_t(number) <= inserts.size()) out += inserts[size_t(number) - 1];
    } else if (next == u'n') {
      out += u"\r\n";
    } else if (next == u' ' || next == u'.' || next == u'!' || next == u'%') {
      out += next;
    }
  }
  return out;
}
