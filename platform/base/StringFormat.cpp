// Windows printf conventions on UTF-16 text, numbers in the C locale.

#include <clocale>
#include <cstdio>
#include <string>

#include "platform/base/String.h"

namespace {

enum class Size { Default, Char, Short, Long, LongLong };

struct Spec {
  std::string flags;
  int width = -1;
  int precision = -1;
  Size size = Size::Default;
  bool wideStr = false;    // %ls / %ws / %lc
  bool narrowStr = false;  // %hs / %hc
  char conv = 0;
};

class ArgReader {
 public:
  ArgReader(const FormatArg* args, int count) : m_args(args), m_count(count) {}
  const FormatArg* Next() { return m_next < m_count ? &m_args[m_next++] : nullptr; }

 private:
  const FormatArg* m_args;
  int m_count;
  int m_next = 0;
};

std::int64_t AsSigned(const FormatArg* a) {
  if (!a) return 0;
  switch (a->kind) {
    case FormatArg::Kind::Signed: return a->i;
    case FormatArg::Kind::Unsigned: return std::int64_t(a->u);
    case FormatArg::Kind::Real: return std::int64_t(a->d);
    default: return std::int64_t(reinterpret_cast<std::intptr_t>(a->p));
  }
}

double AsReal(const FormatArg* a) {
  if (!a) return 0;
  switch (a->kind) {
    case FormatArg::Kind::Real: return a->d;
    case FormatArg::Kind::Signed: return double(a->i);
    case FormatArg::Kind::Unsigned: return double(a->u);
    default: return 0;
  }
}

std::int64_t SizedSigned(std::int64_t v, Size s) {
  switch (s) {
    case Size::Char: return static_cast<signed char>(v);
    case Size::Short: return static_cast<short>(v);
    case Size::LongLong: return v;
    default: return static_cast<std::int32_t>(v);  // int and long are 32 bits on Windows
  }
}

std::uint64_t SizedUnsigned(std::int64_t v, Size s) {
  switch (s) {
    case Size::Char: return static_cast<unsigned char>(v);
    case Size::Short: return static_cast<unsigned short>(v);
    case Size::LongLong: return std::uint64_t(v);
    default: return static_cast<std::uint32_t>(v);
  }
}

std::u16string Widen(const std::string& s) {
  return std::u16string(s.begin(), s.end());
}

std::u16string Pad(std::u16string body, const Spec& spec) {
  if (spec.width > int(body.size())) {
    std::u16string fill(size_t(spec.width) - body.size(), u' ');
    body = spec.flags.find('-') != std::string::npos ? body + fill : fill + body;
  }
  return body;
}

// Numbers go through the C library in the C locale, whatever the process locale is.
std::string CNumber(const std::string& fmt, std::int64_t iv, double dv, bool real) {
  static locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
  locale_t old = uselocale(cLocale);
  char buf[512];
  int n = real ? std::snprintf(buf, sizeof buf, fmt.c_str(), dv)
               : std::snprintf(buf, sizeof buf, fmt.c_str(), static_cast<long long>(iv));
  uselocale(old);
  std::string out(buf, size_t(std::max(0, std::min(n, int(sizeof buf) - 1))));
  if (real && n >= int(sizeof buf)) {
    std::string big(size_t(n) + 1, '\0');
    old = uselocale(cLocale);
    std::snprintf(big.data(), big.size(), fmt.c_str(), dv);
    uselocale(old);
    big.resize(size_t(n));
    out = big;
  }
  return out;
}

std::string CoreSpec(const Spec& s, const char* lengthAndConv) {
  std::string f = "%" + s.flags;
  if (s.width >= 0) f += std::to_string(s.width);
  if (s.precision >= 0) f += "." + std::to_string(s.precision);
  return f + lengthAndConv;
}

std::u16string TextArg(const FormatArg* a, const Spec& spec, bool wantWide) {
  std::u16string text;
  if (!a || (a->kind != FormatArg::Kind::Wide && a->kind != FormatArg::Kind::Narrow) ||
      (a->kind == FormatArg::Kind::Wide ? a->w == nullptr : a->n == nullptr)) {
    text = u"(null)";
  } else if (a->kind == FormatArg::Kind::Wide) {
    text = a->w;
  } else {
    text = CString(a->n).str();
  }
  (void)wantWide;  // the argument's captured type decides, which also covers a mismatched %S
  if (spec.precision >= 0 && int(text.size()) > spec.precision) text.resize(size_t(spec.precision));
  return Pad(text, spec);
}

std::u16string FormatOne(const Spec& spec, ArgReader& args) {
  const FormatArg* a = args.Next();
  switch (spec.conv) {
    case 'd':
    case 'i':
      return Widen(CNumber(CoreSpec(spec, "lld"), SizedSigned(AsSigned(a), spec.size), 0, false));
    case 'u':
    case 'x':
    case 'X':
    case 'o': {
      const char conv[] = {'l', 'l', spec.conv, 0};
      return Widen(CNumber(CoreSpec(spec, conv), std::int64_t(SizedUnsigned(AsSigned(a), spec.size)), 0, false));
    }
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G': {
      const char conv[] = {spec.conv, 0};
      return Widen(CNumber(CoreSpec(spec, conv), 0, AsReal(a), true));
    }
    case 'c':
    case 'C': {
      char16_t ch = char16_t(AsSigned(a));
      bool narrow = spec.narrowStr || (spec.conv == 'C' && !spec.wideStr);
      if (narrow) ch = AnsiToWide(static_cast<unsigned char>(ch));
      Spec plain = spec;
      plain.precision = -1;
      return Pad(std::u16string(1, ch), plain);
    }
    case 's':
    case 'S':
      return TextArg(a, spec, spec.conv == 's' ? !spec.narrowStr : spec.wideStr);
    case 'p': {
      Spec ptr = spec;
      ptr.flags = "0";
      ptr.width = int(2 * sizeof(void*));
      return Widen(CNumber(CoreSpec(ptr, "llX"), AsSigned(a), 0, false));
    }
    default:
      return {};
  }
}

}  // namespace

std::u16string CString::FormatList(const char16_t* format, const FormatArg* argList, int count) {
  std::u16string out;
  if (!format) return out;
  ArgReader args(argList, count);
  for (const char16_t* p = format; *p;) {
    if (*p != '%') {
      out += *p++;
      continue;
    }
    ++p;
    if (*p == '%') {
      out += *p++;
      continue;
    }
    Spec spec;
    while (*p == '-' || *p == '+' || *p == ' ' || *p == '#' || *p == '0') spec.flags += char(*p++);
    if (*p == '*') {
      spec.width = int(AsSigned(args.Next()));
      if (spec.width < 0) spec.flags += '-', spec.width = -spec.width;
      ++p;
    } else {
      while (*p >= '0' && *p <= '9') spec.width = std::max(spec.width, 0) * 10 + (*p++ - '0');
    }
    if (*p == '.') {
      ++p;
      spec.precision = 0;
      if (*p == '*') {
        spec.precision = int(AsSigned(args.Next()));
        ++p;
      } else {
        while (*p >= '0' && *p <= '9') spec.precision = spec.precision * 10 + (*p++ - '0');
      }
    }
    for (;;) {
      if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
        spec.size = Size::LongLong, p += 3;
      } else if (p[0] == 'I' && p[1] == '3' && p[2] == '2') {
        spec.size = Size::Long, p += 3;
      } else if (p[0] == 'I') {
        spec.size = sizeof(void*) == 8 ? Size::LongLong : Size::Long, ++p;
      } else if (p[0] == 'l' && p[1] == 'l') {
        spec.size = Size::LongLong, p += 2;
      } else if (p[0] == 'h' && p[1] == 'h') {
        spec.size = Size::Char, spec.narrowStr = true, p += 2;
      } else if (p[0] == 'h') {
        spec.size = Size::Short, spec.narrowStr = true, ++p;
      } else if (p[0] == 'l' || p[0] == 'w') {
        spec.size = Size::Long, spec.wideStr = true, ++p;
      } else if (p[0] == 'L' || p[0] == 'z' || p[0] == 't' || p[0] == 'j') {
        spec.size = Size::LongLong, ++p;
      } else {
        break;
      }
    }
    if (!*p) break;
    spec.conv = char(*p++);
    out += FormatOne(spec, args);
  }
  return out;
}
