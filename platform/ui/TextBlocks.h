#pragma once
// The two text formats of the clipboard and of drag and drop, as blocks with a terminating
// zero: CF_UNICODETEXT holds UTF-16 code units in the machine's order, CF_TEXT bytes of the
// ANSI code page (Windows-1252). Both stand for the system's one plain text: the 8-bit form is
// made from the Unicode text (a character without a Windows-1252 form becomes '?') and read
// back through the same code page.

#include <vector>

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_UNICODETEXT = 13;

inline bool IsTextFormat(UINT format) { return format == CF_TEXT || format == CF_UNICODETEXT; }
// The text as a block of the format (CF_TEXT or CF_UNICODETEXT).
std::vector<BYTE> MakeTextBlock(UINT format, const CString& text);
// The text of a block of the format, up to its first zero or its end.
CString ReadTextBlock(UINT format, const std::vector<BYTE>& block);
