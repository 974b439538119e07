#pragma once
// The compiled string table, generated at build time from resources/strings/*.txt.

#include <span>

#include "platform/base/WinTypes.h"

struct SStringTableEntry {
  UINT id;
  const char16_t* text;
  int length;
};

// Sorted by id, every id once.
std::span<const SStringTableEntry> BuiltInStringTable();
