#include "device/HexText.h"

#include <type_traits>

namespace Device {
namespace {

int HexValue(char16_t ch) {
  if (ch >= u'0' && ch <= u'9') return ch - u'0';
  if (ch >= u'a' && ch <= u'f') return ch - u'a' + 10;
  if (ch >= u'A' && ch <= u'F') return ch - u'A' + 10;
  return -1;
}

// Every character must be a digit: a reader that stops at the first non-digit would turn
// "1G" into the byte 0x01 and hide the bad text.
template <class Char>
int Convert(const Char* text, int count, BYTE* out, int outSize) {
  if (count < 0 || (count > 0 && (!text || !out))) return -1;
  const int bytes = (count + 1) / 2;
  if (bytes > outSize) return -1;
  int pos = 0;
  for (int i = 0; i < bytes; ++i) {
    int value = 0;
    const int digits = (i == 0 && count % 2 == 1) ? 1 : 2;
    for (int d = 0; d < digits; ++d) {
      int nibble = HexValue(char16_t(static_cast<std::make_unsigned_t<Char>>(text[pos++])));
      if (nibble < 0) return -1;
      value = value * 16 + nibble;
    }
    out[i] = BYTE(value);
  }
  return bytes;
}

}  // namespace

int HexToBytes(const char* text, int count, BYTE* out, int outSize) {
  return Convert(text, count, out, outSize);
}

int HexToBytes(const char16_t* text, int count, BYTE* out, int outSize) {
  return Convert(text, count, out, outSize);
}

}  // namespace Device

bool IsDigitsOnly(const char16_t* text) {
  if (!text) return true;
  for (; *text; ++text)
    if (*text < u'0' || *text > u'9') return false;
  return true;
}
