#pragma once
// Texts as zdtool prints them: UTF-8 with CR, LF, TAB, VT and backslash written \r \n \t \v \\, so
// that a text stays on its output line.

#include <string>

#include "platform/base/String.h"

std::string EscapedText(const CString& text);
