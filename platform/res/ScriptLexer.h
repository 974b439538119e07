#pragma once
// Splits a resource script into lines of words: bare words, numbers and "quoted" texts with
// the escapes \t, \r, \n, \" and \\. A '#' outside quotes starts a comment.

#include <string>
#include <string_view>
#include <vector>

namespace ResourceScript {

struct ScriptWord {
  std::string text;
  bool quoted = false;
};

struct ScriptLine {
  int number = 0;
  std::vector<ScriptWord> words;
};

std::vector<ScriptLine> SplitScript(std::string_view script);

// Throws ResourceScriptError naming the line.
[[noreturn]] void Fail(const ScriptLine& line, const std::string& message);

// A decimal or 0x number from 0 to 65535.
unsigned ParseWord16(const ScriptLine& line, const ScriptWord& word);

}  // namespace ResourceScript
