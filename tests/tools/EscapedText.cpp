#include "tests/tools/EscapedText.h"

std::string EscapedText(const CString& text) {
  std::string escaped;
  for (char ch : text.ToUtf8()) {
    if (ch == '\\')
      escaped += "\\\\";
    else if (ch == '\r')
      escaped += "\\r";
    else if (ch == '\n')
      escaped += "\\n";
    else if (ch == '\t')
      escaped += "\\t";
    else if (ch == '\v')
      escaped += "\\v";
    else
      escaped += ch;
  }
  return escaped;
}
