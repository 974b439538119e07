#pragma once
// Hexadecimal text to bytes, and the digits-only test of number fields.

#include "platform/base/WinTypes.h"

namespace Device {

// Converts `count` hexadecimal characters into (count + 1) / 2 bytes and returns that number.
// An odd count takes the first character alone as the first byte, then pairs. Returns -1
// when the output is too small or a character is not a hexadecimal digit.
int HexToBytes(const char* text, int count, BYTE* out, int outSize);
int HexToBytes(const char16_t* text, int count, BYTE* out, int outSize);

}  // namespace Device

// True when every character is one of 0 to 9; an empty (or null) text counts as digits only.
bool IsDigitsOnly(const char16_t* text);
