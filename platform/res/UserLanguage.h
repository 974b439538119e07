#pragma once
// The user's language as a platform language id (primary language in the low 10 bits,
// sub-language above), taken from the process locale settings (LC_ALL, LC_MESSAGES, LANG).
// Version records name their translations with these ids.

#include "platform/base/WinTypes.h"

using LANGID = WORD;

constexpr LANGID MAKELANGID(WORD primary, WORD sub) { return LANGID((sub << 10) | primary); }

constexpr WORD LANG_NEUTRAL = 0x00;
constexpr WORD LANG_ENGLISH = 0x09;
constexpr WORD SUBLANG_DEFAULT = 0x01;

// English when the locale is unset, "C" or "POSIX", or names a language we do not know.
LANGID GetUserDefaultLangID();
