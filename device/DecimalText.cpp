#include "device/DecimalText.h"

#include <charconv>

namespace Device {
namespace {

bool IsScanBlank(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

bool IsDecimalDigit(char ch) { return ch >= '0' && ch <= '9'; }

}  // namespace

bool ReadDecimal(std::string_view text, int& value, size_t* end) {
  size_t at = 0;
  while (at < text.size() && IsScanBlank(text[at])) ++at;
  const bool plus = at < text.size() && text[at] == '+';
  const bool minus = at < text.size() && text[at] == '-';
  const size_t number = plus ? at + 1 : at;
  const size_t digits = plus || minus ? at + 1 : at;
  if (digits >= text.size() || !IsDecimalDigit(text[digits])) return false;
  // The conversion takes a minus sign but no plus sign; it refuses a number beyond the range.
  int read = 0;
  const auto [stop, error] = std::from_chars(text.data() + number, text.data() + text.size(), read);
  if (error != std::errc()) return false;
  value = read;
  if (end) *end = size_t(stop - text.data());
  return true;
}

}  // namespace Device
