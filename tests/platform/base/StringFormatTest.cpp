#include <gtest/gtest.h>

#include "platform/base/String.h"

namespace {

struct FormatCase {
  const char16_t* expected;
  CString actual;
};

template <class... A>
CString F(const char16_t* format, const A&... args) {
  CString s;
  s.Format(format, args...);
  return s;
}

TEST(StringFormat, WindowsConventions) {
  const CString name(u"ZD-2");
  const FormatCase cases[] = {
      {u"7", F(u"%d", 7)},
      {u"-0042", F(u"%05d", -42)},
      {u"3.14", F(u"%0.2lf", 3.14159)},
      {u"1.5", F(u"%.1f", 1.5f)},
      {u"9223372036854775807", F(u"%I64d", 9223372036854775807LL)},
      {u"18446744073709551615", F(u"%I64u", ~0ULL)},
      {u"4294967295", F(u"%u", -1)},  // 32-bit as on Windows
      {u"00FF", F(u"%04X", 255)},
      {u"ab", F(u"%02x", 0xAB)},
      {u"<ZD-2>", F(u"<%s>", name)},
      {u"<  ZD-2>", F(u"<%6s>", name)},
      {u"<ZD-2  >", F(u"<%-6s>", name)},
      {u"narrow", F(u"%S", "narrow")},
      {u"narrow", F(u"%hs", "narrow")},
      {u"wide", F(u"%ls", u"wide")},
      {u"x=A", F(u"x=%c", u'A')},
      {u"100%", F(u"%d%%", 100)},
      {u"1.8.3.0", F(u"%I64d.%I64d.%I64d.%I64d", 1LL, 8LL, 3LL, 0LL)},
      {u"  12", F(u"%*d", 4, 12)},
  };
  for (const auto& c : cases) EXPECT_EQ(CString(c.expected), c.actual);
}

TEST(StringFormat, NumbersIgnoreTheProcessLocale) {
  // A German LC_NUMERIC would print 2,50; formats must stay in the C locale.
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  EXPECT_EQ(CString(u"2.50"), F(u"%.2f", 2.5));
  std::setlocale(LC_NUMERIC, "C");
}

TEST(StringAnsi, Windows1252RoundTrip) {
  const char bytes[] = "\x80\x9F\xE9\x41";
  CString s(bytes);
  ASSERT_EQ(4, s.GetLength());
  EXPECT_EQ(u'\u20AC', s[0]);
  EXPECT_EQ(u'\u0178', s[1]);
  EXPECT_EQ(u'\u00E9', s[2]);
  EXPECT_EQ(std::string(bytes), s.ToAnsi());
  EXPECT_EQ("?", CString(u"\u4E2D").ToAnsi());
}

TEST(StringUtf8, RoundTripIncludingSurrogates) {
  const std::string utf8 = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
  CString s = CString::FromUtf8(utf8);
  EXPECT_EQ(5, s.GetLength());  // a, e-acute, euro, surrogate pair
  EXPECT_EQ(utf8, s.ToUtf8());
}

TEST(StringOps, FindMidTokenizeReplace) {
  CString s(u"COM7:");
  EXPECT_EQ(4, s.Find(u':'));
  EXPECT_EQ(CString(u"7"), s.Mid(3, 1));
  EXPECT_EQ(CString(u""), s.Mid(10));
  EXPECT_EQ(CString(u"COM"), s.Left(3));
  EXPECT_EQ(0, s.CompareNoCase(u"com7:"));

  CString list(u"a;;b;c");
  int pos = 0;
  EXPECT_EQ(CString(u"a"), list.Tokenize(u";", pos));
  EXPECT_EQ(CString(u"b"), list.Tokenize(u";", pos));
  EXPECT_EQ(CString(u"c"), list.Tokenize(u";", pos));
  EXPECT_EQ(CString(u""), list.Tokenize(u";", pos));
  EXPECT_EQ(-1, pos);

  CString r(u"1,8,3");
  EXPECT_EQ(2, r.Replace(u",", u"."));
  EXPECT_EQ(CString(u"1.8.3"), r);
  CString t(u"  x y \t");
  EXPECT_EQ(CString(u"x y"), t.Trim());
}

}  // namespace
