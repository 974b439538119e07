#include "tests/tools/GridScriptLine.h"

#include <cctype>

namespace {

bool ReadHex(const std::string& line, std::size_t& i, int digits, unsigned& value) {
  value = 0;
  for (int k = 0; k < digits; ++k, ++i) {
    if (i >= line.size() || !std::isxdigit(static_cast<unsigned char>(line[i]))) return false;
    value = value * 16 + unsigned(std::stoi(line.substr(i, 1), nullptr, 16));
  }
  return true;
}

}  // namespace

bool SplitGridScriptLine(const std::string& line, std::vector<SGridScriptWord>& words, std::string& error) {
  words.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    if (std::isspace(static_cast<unsigned char>(line[i]))) {
      ++i;
      continue;
    }
    if (line[i] == '#') break;
    SGridScriptWord word;
    if (line[i] != '"') {
      while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) word.text += line[i++];
      word.value = CString::FromUtf8(word.text);
      words.push_back(word);
      continue;
    }
    word.quoted = true;
    ++i;
    std::string utf8;
    std::u16string units;
    auto flush = [&] {
      units += std::u16string(CString::FromUtf8(utf8).GetString());
      utf8.clear();
    };
    bool closed = false;
    while (i < line.size()) {
      const char ch = line[i++];
      if (ch == '"') {
        closed = true;
        break;
      }
      if (ch != '\\') {
        utf8 += ch;
        continue;
      }
      if (i >= line.size()) break;
      const char escape = line[i++];
      unsigned code = 0;
      switch (escape) {
        case 't':
          utf8 += '\t';
          break;
        case 'r':
          utf8 += '\r';
          break;
        case 'n':
          utf8 += '\n';
          break;
        case '\\':
          utf8 += '\\';
          break;
        case '"':
          utf8 += '"';
          break;
        case 'x':
        case 'u':
          if (!ReadHex(line, i, escape == 'x' ? 2 : 4, code)) {
            error = "bad escape";
            return false;
          }
          flush();
          units += char16_t(code);
          break;
        default:
          error = "bad escape";
          return false;
      }
    }
    if (!closed) {
      error = "unclosed text";
      return false;
    }
    flush();
    word.value = CString(units.c_str());
    word.text = word.value.ToUtf8();
    words.push_back(word);
  }
  return true;
}
