#include <gtest/gtest.h>

#include "device/PercentEncoding.h"

namespace {

struct SEncodingCase {
  const char16_t* text;
  const char16_t* encoded;
};

// Each expected text is the UTF-8 of the input with every byte outside A-Z a-z 0-9 - . _ ~
// written as % and two upper-case hexadecimal digits.
TEST(PercentEncoding, KeepsTheUnreservedAndEncodesEveryOtherByte) {
  const SEncodingCase cases[] = {
      {u"", u""},
      {u"AZaz09-._~", u"AZaz09-._~"},
      {u"a+b@x", u"a%2Bb%40x"},
      {u"p&w=1 2", u"p%26w%3D1%202"},
      {u"%/?#", u"%25%2F%3F%23"},
      {u"\u00e4", u"%C3%A4"},            // a-umlaut: C3 A4
      {u"\u20ac", u"%E2%82%AC"},         // euro sign: E2 82 AC
      {u"\U0001F600", u"%F0%9F%98%80"},  // a surrogate pair gives the four bytes of U+1F600
      {u"\r\n", u"%0D%0A"},
  };
  for (const SEncodingCase& c : cases)
    EXPECT_EQ(PercentEncode(CString(c.text)), CString(c.encoded)) << CString(c.text).ToUtf8();
}

}  // namespace
