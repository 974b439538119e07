#include "device/Version.h"

namespace {

bool IsSpace(char16_t ch) { return ch == u' ' || (ch >= u'\t' && ch <= u'\r'); }

// Reads one decimal number as a 64-bit scan does: optional sign, then digits; a negative
// number becomes the unsigned form of its two's complement.
bool ReadNumber(const std::u16string& text, size_t& pos, ULONGLONG& out) {
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) negative = text[pos++] == u'-';
  size_t start = pos;
  ULONGLONG value = 0;
  constexpr ULONGLONG kMax = ~ULONGLONG(0);
  // Too many digits saturate, so that no overlong part wraps into range.
  for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos) {
    ULONGLONG digit = ULONGLONG(text[pos] - u'0');
    value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
  }
  if (pos == start) return false;
  out = negative ? ULONGLONG(0) - value : value;
  return true;
}

ULONGLONG Parse(const CString& original) {
  CString text = original;
  text.Remove(u' ');
  text.Replace(u',', u'.');
  const std::u16string& s = text.str();
  ULONGLONG numbers[4] = {};
  int count = 0;
  size_t pos = 0;
  while (count < 4 && ReadNumber(s, pos, numbers[count])) {
    ++count;
    if (count == 4 || pos >= s.size() || s[pos] != u'.') break;
    ++pos;
  }
  switch (count) {
    case 1:
      return text.GetLength() <= 19 ? numbers[0] : 0;
    case 2:
      if (numbers[0] > 0xFFFFFFFF || numbers[1] > 0xFFFFFFFF) return 0;
      return (numbers[0] << 32) | numbers[1];
    case 3:
    case 4:
      for (int i = 0; i < count; ++i)
        if (numbers[i] > 0xFFFF) return 0;
      return (numbers[0] << 48) | (numbers[1] << 32) | (numbers[2] << 16) | numbers[3];
    default:
      return 0;
  }
}

}  // namespace

CVersion::CVersion(const CString& text) : m_value(Parse(text)) {}

WORD CVersion::GetPart(int index) const {
  if (index < 0 || index > 3) return 0;
  return WORD(m_value >> (16 * (3 - index)));
}

CString CVersion::Format(int partCount) const {
  CString text;
  switch (partCount) {
    case 2:
      text.Format(u"%I64u.%I64u", m_value >> 32, m_value & 0xFFFFFFFF);
      break;
    case 3:
      text.Format(u"%u.%u.%u", GetPart(0), GetPart(1), GetPart(2));
      break;
    case 4:
      text.Format(u"%u.%u.%u.%u", GetPart(0), GetPart(1), GetPart(2), GetPart(3));
      break;
    default:
      // Unsigned: a value with a major part of 0x8000 or more is still a version, not a
      // negative number.
      text.Format(u"%I64u", m_value);
      break;
  }
  return text;
}
