#include "tests/tools/DriverArguments.h"

#include <cstdio>

#include "tests/tools/Zd2Connection.h"

bool ParseFlag(const std::string& text, bool& on) {
  if (text != "0" && text != "1") return false;
  on = text == "1";
  return true;
}

bool ParseHexBytes(const std::string& text, std::vector<BYTE>& bytes, bool dashForNone) {
  if (dashForNone && text == "-") return true;
  if (text.empty() || text.size() % 2 != 0) return false;
  for (size_t i = 0; i < text.size(); i += 2) {
    unsigned long value = 0;
    if (!ParseHexNumber(text.substr(i, 2), value)) return false;
    bytes.push_back(BYTE(value));
  }
  return true;
}

std::string HexBytes(const BYTE* bytes, int count) {
  std::string text;
  char digits[3];
  for (int i = 0; i < count; ++i) {
    std::snprintf(digits, sizeof digits, "%02X", bytes[i]);
    text += digits;
  }
  return text;
}

void PrintBool(const char* name, bool value) { std::printf("%s=%d\n", name, value ? 1 : 0); }
