#pragma once
// Whole numbers written in decimal on zdtool's command line.

#include <string>

// The whole text as a decimal number, with an optional sign; false for anything else.
bool ParseDecimalNumber(const std::string& text, int& value);
