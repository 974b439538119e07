#include "platform/res/ScriptLexer.h"

#include <cstdlib>

#include "platform/res/ResourceScript.h"

namespace ResourceScript {

namespace {

ScriptWord ReadQuoted(const ScriptLine& line, std::string_view text, std::size_t& pos) {
  ScriptWord word{"", true};
  for (++pos; pos < text.size(); ++pos) {
    char ch = text[pos];
    if (ch == '"') {
      ++pos;
      return word;
    }
    if (ch == '\\' && pos + 1 < text.size()) {
      char next = text[++pos];
      if (next == 't')
        word.text += '\t';
      else if (next == 'r')
        word.text += '\r';
      else if (next == 'n')
        word.text += '\n';
      else if (next == '"' || next == '\\')
        word.text += next;
      else
        Fail(line, std::string("unknown escape \\") + next);
      continue;
    }
    word.text += ch;
  }
  Fail(line, "text without closing quote");
}

ScriptLine SplitLine(int number, std::string_view text) {
  ScriptLine line{number, {}};
  std::size_t pos = 0;
  while (pos < text.size()) {
    char ch = text[pos];
    if (ch == ' ' || ch == '\t' || ch == '\r') {
      ++pos;
    } else if (ch == '#') {
      break;
    } else if (ch == '"') {
      line.words.push_back(ReadQuoted(line, text, pos));
    } else {
      std::size_t end = text.find_first_of(" \t\r#\"", pos);
      if (end == std::string_view::npos) end = text.size();
      line.words.push_back({std::string(text.substr(pos, end - pos)), false});
      pos = end;
    }
  }
  return line;
}

}  // namespace

std::vector<ScriptLine> SplitScript(std::string_view script) {
  std::vector<ScriptLine> lines;
  int number = 0;
  while (!script.empty()) {
    std::size_t end = script.find('\n');
    std::string_view text = script.substr(0, end);
    script = end == std::string_view::npos ? std::string_view() : script.substr(end + 1);
    ScriptLine line = SplitLine(++number, text);
    if (!line.words.empty()) lines.push_back(std::move(line));
  }
  return lines;
}

void Fail(const ScriptLine& line, const std::string& message) {
  throw ResourceScriptError("line " + std::to_string(line.number) + ": " + message);
}

unsigned ParseWord16(const ScriptLine& line, const ScriptWord& word) {
  if (word.quoted || word.text.empty()) Fail(line, "number expected");
  bool hex = word.text.size() > 2 && word.text[0] == '0' && (word.text[1] == 'x' || word.text[1] == 'X');
  if (!hex && (word.text[0] < '0' || word.text[0] > '9')) Fail(line, "number expected: " + word.text);
  char* end = nullptr;
  unsigned long value = std::strtoul(word.text.c_str(), &end, hex ? 16 : 10);
  if (*end != 0 || value > 0xFFFF) Fail(line, "not a 16-bit number: " + word.text);
  return unsigned(value);
}

}  // namespace ResourceScript
