#include "tests/tools/ScriptInput.h"

#include <iostream>

std::istream* OpenScriptInput(const std::string& path, std::ifstream& file) {
  if (path == "-") return &std::cin;
  file.open(path);
  return file ? &file : nullptr;
}
