#pragma once
// One line of a `zdtool grid` script split into words: blanks separate them, "#" starts a
// comment, and a text in double quotes is one word with C escapes (\t \r \n \\ \" \xHH \uHHHH).

#include <string>
#include <vector>

#include "platform/base/String.h"

struct SGridScriptWord {
  std::string text;  // the word as written (UTF-8), without quotes
  CString value;     // the quoted text after its escapes
  bool quoted = false;
};

// False with a message when a quote is not closed or an escape is malformed.
bool SplitGridScriptLine(const std::string& line, std::vector<SGridScriptWord>& words, std::string& error);
