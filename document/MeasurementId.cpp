#include "document/MeasurementId.h"

#include <charconv>
#include <cstdint>
#include <string>

CString FormatMeasurementId(DWORD id) {
  CString text;
  text.Format(u"%d", std::int32_t(id));
  return text;
}

bool ParseMeasurementId(const CString& text, DWORD& id) {
  if (text.IsEmpty()) {
    id = 0;
    return true;
  }
  const std::string digits = text.ToUtf8();
  std::int32_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value);
  if (error != std::errc() || stop != end) return false;
  id = DWORD(value);
  return true;
}
