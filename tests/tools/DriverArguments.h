#pragma once
// What zdtool's driver operations share: their flag and byte arguments and their printed
// values.

#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

// "0" or "1".
bool ParseFlag(const std::string& text, bool& on);
// Hexadecimal pairs; "-" for no bytes where `dashForNone`.
bool ParseHexBytes(const std::string& text, std::vector<BYTE>& bytes, bool dashForNone);
// The bytes as upper-case hexadecimal pairs without separators.
std::string HexBytes(const BYTE* bytes, int count);
// "name=1" or "name=0".
void PrintBool(const char* name, bool value);
