#pragma once
// The text form of our resource files (resources/strings/*.txt, the version record, language
// modules): UTF-8 lines, '#' starts a comment line, texts are double-quoted with the C escapes
// \r \n \t \\ and \".

#include <string>
#include <string_view>

#include "platform/base/String.h"

// Reads the quoted text that starts at `pos` (the opening quote). On success `pos` is just past
// the closing quote; on failure `error` says why.
bool ReadQuotedText(std::string_view line, size_t& pos, CString& out, std::string& error);

// True for lines that carry nothing: empty, blanks only, or a comment.
bool IsBlankOrComment(std::string_view line);

// One entry of a string file: `<decimal id> "<text>"`.
struct SStringLine {
  UINT id = 0;
  CString text;
};

// Parses one entry line (not a blank or comment line); ids lie in 0 to 65535.
bool ParseStringLine(std::string_view line, SStringLine& out, std::string& error);
