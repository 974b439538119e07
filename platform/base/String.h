#pragma once
// CString: a UTF-16 string with the operations and formatting conventions of the Windows
// framework's wide string. Lengths and indexes count UTF-16 units, as stored files and
// character limits do.

#include <algorithm>
#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/base/WinTypes.h"

class CString;

// One argument of CString::Format. Arguments are captured by type at the call, so a CString
// may be passed where the format has %s (the framework relied on its memory layout for that).
struct FormatArg {
  enum class Kind { Signed, Unsigned, Real, Wide, Narrow, Pointer };
  Kind kind;
  union {
    std::int64_t i;
    std::uint64_t u;
    double d;
    const char16_t* w;
    const char* n;
    const void* p;
  };
  FormatArg(bool v) : kind(Kind::Signed), i(v) {}
  FormatArg(char v) : kind(Kind::Signed), i(v) {}
  FormatArg(signed char v) : kind(Kind::Signed), i(v) {}
  FormatArg(unsigned char v) : kind(Kind::Unsigned), u(v) {}
  FormatArg(char16_t v) : kind(Kind::Unsigned), u(v) {}
  FormatArg(short v) : kind(Kind::Signed), i(v) {}
  FormatArg(unsigned short v) : kind(Kind::Unsigned), u(v) {}
  FormatArg(int v) : kind(Kind::Signed), i(v) {}
  FormatArg(unsigned v) : kind(Kind::Unsigned), u(v) {}
  FormatArg(long v) : kind(Kind::Signed), i(v) {}
  FormatArg(unsigned long v) : kind(Kind::Unsigned), u(v) {}
  FormatArg(long long v) : kind(Kind::Signed), i(v) {}
  FormatArg(unsigned long long v) : kind(Kind::Unsigned), u(v) {}
  FormatArg(float v) : kind(Kind::Real), d(v) {}
  FormatArg(double v) : kind(Kind::Real), d(v) {}
  FormatArg(const char16_t* v) : kind(Kind::Wide), w(v) {}
  FormatArg(char16_t* v) : kind(Kind::Wide), w(v) {}
  FormatArg(const char* v) : kind(Kind::Narrow), n(v) {}
  FormatArg(char* v) : kind(Kind::Narrow), n(v) {}
  FormatArg(const CString& v);
  FormatArg(const std::u16string& v) : kind(Kind::Wide), w(v.c_str()) {}
  FormatArg(const std::string& v) : kind(Kind::Narrow), n(v.c_str()) {}
  FormatArg(const void* v) : kind(Kind::Pointer), p(v) {}
  FormatArg(std::nullptr_t) : kind(Kind::Pointer), p(nullptr) {}
  template <class E, class = std::enable_if_t<std::is_enum_v<E>>>
  FormatArg(E v) : FormatArg(static_cast<std::underlying_type_t<E>>(v)) {}
};

class CString {
 public:
  CString() = default;
  CString(const char16_t* text) : m_s(text ? text : u"") {}
  CString(const char16_t* text, int length) : m_s(text, text ? std::max(length, 0) : 0) {}
  CString(std::u16string_view text) : m_s(text) {}
  CString(std::u16string text) : m_s(std::move(text)) {}
  // 8-bit text converts through the ANSI code page (Windows-1252), as the framework did.
  CString(const char* ansi);
  CString(char16_t ch, int repeat = 1) : m_s(std::max(repeat, 0), ch) {}

  static CString FromUtf8(std::string_view utf8);
  static CString FromAnsi(std::string_view ansi);
  std::string ToUtf8() const;
  // Characters outside Windows-1252 become '?'.
  std::string ToAnsi() const;

  int GetLength() const { return int(m_s.size()); }
  bool IsEmpty() const { return m_s.empty(); }
  void Empty() { m_s.clear(); }
  operator const char16_t*() const { return m_s.c_str(); }
  const char16_t* GetString() const { return m_s.c_str(); }
  const std::u16string& str() const { return m_s; }
  char16_t GetAt(int i) const { return m_s.at(size_t(i)); }
  char16_t operator[](int i) const { return m_s.at(size_t(i)); }
  void SetAt(int i, char16_t ch) { m_s.at(size_t(i)) = ch; }

  // Direct writing into the string: GetBuffer grows it to at least n units; ReleaseBuffer
  // cuts it at the given length, or at the first zero unit when the length is -1.
  char16_t* GetBuffer(int minLength = 0);
  void ReleaseBuffer(int newLength = -1);

  CString& operator=(const char16_t* text) { m_s = text ? text : u""; return *this; }
  CString& operator=(char16_t ch) { m_s.assign(1, ch); return *this; }
  CString& operator+=(const CString& s) { m_s += s.m_s; return *this; }
  CString& operator+=(const char16_t* s) { if (s) m_s += s; return *this; }
  CString& operator+=(char16_t ch) { m_s += ch; return *this; }
  void Append(const char16_t* s, int n) { m_s.append(s, size_t(n)); }
  // Makes room for a text of the length, so that appending up to it allocates nothing more.
  void Reserve(int length) { m_s.reserve(size_t(std::max(length, 0))); }
  int Delete(int index, int count = 1);

  CString Left(int n) const;
  CString Right(int n) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString SpanIncluding(const char16_t* set) const;
  CString Tokenize(const char16_t* delimiters, int& start) const;

  int Find(char16_t ch, int start = 0) const;
  int Find(const char16_t* sub, int start = 0) const;
  int ReverseFind(char16_t ch) const;
  int FindOneOf(const char16_t* set) const;

  int Replace(char16_t oldCh, char16_t newCh);
  int Replace(const char16_t* oldText, const char16_t* newText);
  int Remove(char16_t ch);
  CString& Trim();
  CString& Trim(char16_t ch);
  CString& TrimLeft();
  CString& TrimLeft(char16_t ch);
  CString& TrimLeft(const char16_t* set);
  CString& TrimRight();
  CString& TrimRight(char16_t ch);
  CString& TrimRight(const char16_t* set);
  CString& MakeUpper();
  CString& MakeLower();

  int CompareNoCase(const char16_t* other) const;

  template <class... A>
  void Format(const char16_t* format, const A&... args) {
    const FormatArg list[] = {FormatArg(args)..., FormatArg(0)};
    m_s = FormatList(format, list, sizeof...(A));
  }
  template <class... A>
  void AppendFormat(const char16_t* format, const A&... args) {
    const FormatArg list[] = {FormatArg(args)..., FormatArg(0)};
    m_s += FormatList(format, list, sizeof...(A));
  }
  // Windows printf on UTF-16: %s is text of the format's own width (wide), %S the other
  // (8-bit), %hs and %ls name the width outright; I64, I32, ll, l, h, hh size integers.
  // Numbers are formatted in the C locale.
  static std::u16string FormatList(const char16_t* format, const FormatArg* args, int count);

  friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
  friend bool operator==(const CString& a, const char16_t* b) { return a.m_s == (b ? b : u""); }
  friend std::strong_ordering operator<=>(const CString& a, const CString& b) { return a.m_s <=> b.m_s; }
  friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
  friend CString operator+(const CString& a, const char16_t* b) { return CString(a.m_s + (b ? b : u"")); }
  friend CString operator+(const char16_t* a, const CString& b) { return CString((a ? a : u"") + b.m_s); }
  friend CString operator+(const CString& a, char16_t b) { return CString(a.m_s + b); }
  friend CString operator+(char16_t a, const CString& b) { return CString(a + b.m_s); }

 private:
  std::u16string m_s;
};

inline FormatArg::FormatArg(const CString& v) : kind(Kind::Wide), w(v.GetString()) {}

// Windows-1252 <-> UTF-16, the "ANSI" code page of the instrument link and of 8-bit files.
char16_t AnsiToWide(unsigned char ch);
// Returns false when the character has no Windows-1252 form.
bool WideToAnsi(char16_t ch, unsigned char& out);

// Length of a zero-terminated UTF-16 text.
int WideLength(const char16_t* text);

template <>
struct std::hash<CString> {
  size_t operator()(const CString& s) const noexcept { return std::hash<std::u16string>()(s.str()); }
};
