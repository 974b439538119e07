#include "platform/res/ResourceText.h"

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r'; }

size_t SkipBlanks(std::string_view line, size_t pos) {
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  return pos;
}

bool DecodeEscape(char ch, char& out) {
  switch (ch) {
    case 'r':
      out = '\r';
      return true;
    case 'n':
      out = '\n';
      return true;
    case 't':
      out = '\t';
      return true;
    case '\\':
      out = '\\';
      return true;
    case '"':
      out = '"';
      return true;
    default:
      return false;
  }
}

}  // namespace

bool ReadQuotedText(std::string_view line, size_t& pos, CString& out, std::string& error) {
  if (pos >= line.size() || line[pos] != '"') {
    error = "expected a quoted text";
    return false;
  }
  std::string utf8;
  for (size_t i = pos + 1; i < line.size(); ++i) {
    char ch = line[i];
    if (ch == '"') {
      out = CString::FromUtf8(utf8);
      pos = i + 1;
      return true;
    }
    if (ch == '\\') {
      char decoded = 0;
      if (i + 1 >= line.size() || !DecodeEscape(line[i + 1], decoded)) {
        error = "unknown escape in text";
        return false;
      }
      utf8 += decoded;
      ++i;
      continue;
    }
    utf8 += ch;
  }
  error = "text without closing quote";
  return false;
}

bool IsBlankOrComment(std::string_view line) {
  size_t pos = SkipBlanks(line, 0);
  return pos == line.size() || line[pos] == '#';
}

bool ParseStringLine(std::string_view line, SStringLine& out, std::string& error) {
  size_t pos = SkipBlanks(line, 0);
  size_t digitsStart = pos;
  unsigned long id = 0;
  while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9' && id <= 0xFFFF) {
    id = id * 10 + unsigned(line[pos] - '0');
    ++pos;
  }
  if (pos == digitsStart) {
    error = "expected a decimal string id";
    return false;
  }
  if (id > 0xFFFF) {
    error = "string id above 65535";
    return false;
  }
  if (pos >= line.size() || !IsBlank(line[pos])) {
    error = "expected a blank after the string id";
    return false;
  }
  pos = SkipBlanks(line, pos);
  if (!ReadQuotedText(line, pos, out.text, error)) return false;
  if (SkipBlanks(line, pos) != line.size()) {
    error = "unexpected characters after the text";
    return false;
  }
  out.id = UINT(id);
  return true;
}
