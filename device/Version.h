#pragma once
// A version a.b.c.d of four 16-bit parts held as one 64-bit value, a in the top 16 bits.
// Versions compare as unsigned 64-bit numbers.

#include <compare>

#include "platform/base/String.h"

class CVersion {
 public:
  CVersion() = default;
  explicit CVersion(ULONGLONG value) : m_value(value) {}
  // Blanks are removed and "," read as "."; then up to four decimal numbers separated by ".":
  // four (or three, d = 0) numbers of 16 bits each, two numbers of 32 bits each as the two
  // halves, or one number (of at most 19 characters) as the whole value. Anything else is 0.
  explicit CVersion(const CString& text);
  virtual ~CVersion() = default;

  ULONGLONG GetValue() const { return m_value; }
  // Part 0 is a (the most significant) to 3 = d; other indexes give 0.
  WORD GetPart(int index) const;
  // 2: the high and low 32-bit halves "h.l"; 3: "a.b.c"; 4: "a.b.c.d"; else the whole value.
  CString Format(int partCount) const;

  friend bool operator==(const CVersion& a, const CVersion& b) { return a.m_value == b.m_value; }
  friend std::strong_ordering operator<=>(const CVersion& a, const CVersion& b) {
    return a.m_value <=> b.m_value;
  }

 private:
  ULONGLONG m_value = 0;
};
