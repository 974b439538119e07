#pragma once
// Decimal numbers in texts that come from instruments, files and servers.

#include <cstddef>
#include <string_view>

namespace Device {

// Reads the decimal number at the start of the text as "%d" reads it: blanks, an optional sign
// and digits; the text after the digits is left. A number that does not fit an int names no
// number: false, as for a text without digits, and `value` stays as it was. `end`, when given,
// gets the position after the last digit.
bool ReadDecimal(std::string_view text, int& value, size_t* end = nullptr);

}  // namespace Device
