#include "calibration/DecimalText.h"

#include <climits>

bool ParseDecimalText(const CString& text, int& value) {
  CString number = text;
  number.Trim();
  const bool negative = number.GetLength() > 0 && number[0] == u'-';
  int at = negative ? 1 : 0;
  if (at == number.GetLength()) return false;
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  long long magnitude = 0;
  for (; at < number.GetLength(); ++at) {
    const char16_t ch = number[at];
    if (ch < u'0' || ch > u'9') return false;
    magnitude = magnitude * 10 + (ch - u'0');
    if (magnitude > limit) return false;
  }
  value = int(negative ? -magnitude : magnitude);
  return true;
}

int DecimalTextOr(const CString& text, int fallback) {
  int value = fallback;
  ParseDecimalText(text, value);
  return value;
}
