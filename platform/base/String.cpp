#include "platform/base/String.h"

#include <cwctype>

namespace {

// Windows-1252 characters 0x80 to 0x9F; the rest of the code page equals Latin-1.
// Unassigned positions map to themselves, as the platform's conversion does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t ToUpperUnit(char16_t c) { return char16_t(std::towupper(wint_t(c))); }
char16_t ToLowerUnit(char16_t c) { return char16_t(std::towlower(wint_t(c))); }

bool InSet(char16_t c, const char16_t* set) {
  for (; set && *set; ++set)
    if (*set == c) return true;
  return false;
}

bool IsSpaceUnit(char16_t c) { return c == ' ' || (c >= 9 && c <= 13); }

}  // namespace

char16_t AnsiToWide(unsigned char ch) {
  return (ch >= 0x80 && ch < 0xA0) ? kCp1252High[ch - 0x80] : char16_t(ch);
}

bool WideToAnsi(char16_t ch, unsigned char& out) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
    out = static_cast<unsigned char>(ch);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    if (kCp1252High[i] == ch) {
      out = static_cast<unsigned char>(0x80 + i);
      return true;
    }
  }
  return false;
}

int WideLength(const char16_t* text) {
  int n = 0;
  while (text && text[n]) ++n;
  return n;
}

CString::CString(const char* ansi) : m_s(FromAnsi(ansi ? ansi : "").m_s) {}

CString CString::FromAnsi(std::string_view ansi) {
  std::u16string out;
  out.reserve(ansi.size());
  for (char c : ansi) out += AnsiToWide(static_cast<unsigned char>(c));
  return CString(std::move(out));
}

std::string CString::ToAnsi() const {
  std::string out;
  out.reserve(m_s.size());
  for (char16_t c : m_s) {
    unsigned char b;
    out += WideToAnsi(c, b) ? char(b) : '?';
  }
  return out;
}

CString CString::FromUtf8(std::string_view utf8) {
  std::u16string out;
  size_t i = 0;
  while (i < utf8.size()) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    char32_t cp = 0xFFFD;
    size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > utf8.size()) {
      ++i;
    } else {
      cp = len == 1 ? c : char32_t(c & (0x7F >> len));
      bool ok = true;
      for (size_t k = 1; k < len; ++k) {
        unsigned char cc = static_cast<unsigned char>(utf8[i + k]);
        if ((cc & 0xC0) != 0x80) ok = false;
        cp = (cp << 6) | (cc & 0x3F);
      }
      if (!ok) cp = 0xFFFD, len = 1;
      i += len;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += char16_t(0xD800 + (cp >> 10));
      out += char16_t(0xDC00 + (cp & 0x3FF));
    } else {
      out += char16_t(cp);
    }
  }
  return CString(std::move(out));
}

std::string CString::ToUtf8() const {
  std::string out;
  for (size_t i = 0; i < m_s.size(); ++i) {
    char32_t cp = m_s[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < m_s.size() && m_s[i + 1] >= 0xDC00 && m_s[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (m_s[++i] - 0xDC00);
    }
    if (cp < 0x80) {
      out += char(cp);
    } else if (cp < 0x800) {
      out += char(0xC0 | (cp >> 6));
      out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += char(0xE0 | (cp >> 12));
      out += char(0x80 | ((cp >> 6) & 0x3F));
      out += char(0x80 | (cp & 0x3F));
    } else {
      out += char(0xF0 | (cp >> 18));
      out += char(0x80 | ((cp >> 12) & 0x3F));
      out += char(0x80 | ((cp >> 6) & 0x3F));
      out += char(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

char16_t* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) m_s.resize(size_t(minLength));
  return m_s.data();
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) newLength = WideLength(m_s.c_str());
  m_s.resize(size_t(std::min(newLength, GetLength())));
}

int CString::Delete(int index, int count) {
  if (index >= 0 && index < GetLength() && count > 0) m_s.erase(size_t(index), size_t(count));
  return GetLength();
}

CString CString::Left(int n) const { return CString(m_s.substr(0, size_t(std::clamp(n, 0, GetLength())))); }

CString CString::Right(int n) const {
  n = std::clamp(n, 0, GetLength());
  return CString(m_s.substr(size_t(GetLength() - n)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  first = std::clamp(first, 0, GetLength());
  count = std::clamp(count, 0, GetLength() - first);
  return CString(m_s.substr(size_t(first), size_t(count)));
}

CString CString::SpanIncluding(const char16_t* set) const {
  int n = 0;
  while (n < GetLength() && InSet(m_s[size_t(n)], set)) ++n;
  return Left(n);
}

CString CString::Tokenize(const char16_t* delimiters, int& start) const {
  if (start < 0) return CString();
  int i = start;
  while (i < GetLength() && InSet(m_s[size_t(i)], delimiters)) ++i;
  if (i >= GetLength()) {
    start = -1;
    return CString();
  }
  int end = i;
  while (end < GetLength() && !InSet(m_s[size_t(end)], delimiters)) ++end;
  start = end + 1;
  return Mid(i, end - i);
}

int CString::Find(char16_t ch, int start) const {
  if (start < 0 || start > GetLength()) return -1;
  size_t p = m_s.find(ch, size_t(start));
  return p == std::u16string::npos ? -1 : int(p);
}

int CString::Find(const char16_t* sub, int start) const {
  if (!sub || start < 0 || start > GetLength()) return -1;
  size_t p = m_s.find(sub, size_t(start));
  return p == std::u16string::npos ? -1 : int(p);
}

int CString::ReverseFind(char16_t ch) const {
  size_t p = m_s.rfind(ch);
  return p == std::u16string::npos ? -1 : int(p);
}

int CString::FindOneOf(const char16_t* set) const {
  for (int i = 0; i < GetLength(); ++i)
    if (InSet(m_s[size_t(i)], set)) return i;
  return -1;
}

int CString::Replace(char16_t oldCh, char16_t newCh) {
  int n = 0;
  for (auto& c : m_s)
    if (c == oldCh) c = newCh, ++n;
  return n;
}

int CString::Replace(const char16_t* oldText, const char16_t* newText) {
  int oldLen = WideLength(oldText);
  if (oldLen == 0) return 0;
  std::u16string_view repl(newText ? newText : u"");
  int n = 0;
  size_t p = 0;
  while ((p = m_s.find(oldText, p, size_t(oldLen))) != std::u16string::npos) {
    m_s.replace(p, size_t(oldLen), repl);
    p += repl.size();
    ++n;
  }
  return n;
}

int CString::Remove(char16_t ch) {
  size_t before = m_s.size();
  std::erase(m_s, ch);
  return int(before - m_s.size());
}

CString& CString::TrimLeft() {
  size_t i = 0;
  while (i < m_s.size() && IsSpaceUnit(m_s[i])) ++i;
  m_s.erase(0, i);
  return *this;
}

CString& CString::TrimRight() {
  while (!m_s.empty() && IsSpaceUnit(m_s.back())) m_s.pop_back();
  return *this;
}

CString& CString::TrimLeft(const char16_t* set) {
  size_t i = 0;
  while (i < m_s.size() && InSet(m_s[i], set)) ++i;
  m_s.erase(0, i);
  return *this;
}

CString& CString::TrimRight(const char16_t* set) {
  while (!m_s.empty() && InSet(m_s.back(), set)) m_s.pop_back();
  return *this;
}

CString& CString::TrimLeft(char16_t ch) {
  const char16_t set[2] = {ch, 0};
  return TrimLeft(set);
}

CString& CString::TrimRight(char16_t ch) {
  const char16_t set[2] = {ch, 0};
  return TrimRight(set);
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char16_t ch) { return TrimRight(ch).TrimLeft(ch); }

CString& CString::MakeUpper() {
  for (auto& c : m_s) c = ToUpperUnit(c);
  return *this;
}

CString& CString::MakeLower() {
  for (auto& c : m_s) c = ToLowerUnit(c);
  return *this;
}

int CString::CompareNoCase(const char16_t* other) const {
  const char16_t* a = m_s.c_str();
  const char16_t* b = other ? other : u"";
  for (;; ++a, ++b) {
    char16_t x = ToLowerUnit(*a), y = ToLowerUnit(*b);
    if (x != y) return x < y ? -1 : 1;
    if (!x) return 0;
  }
}
