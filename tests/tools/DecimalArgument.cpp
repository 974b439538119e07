#include "tests/tools/DecimalArgument.h"

#include <cstdlib>

bool ParseDecimalNumber(const std::string& text, int& value) {
  char* end = nullptr;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0') return false;
  value = int(number);
  return true;
}
