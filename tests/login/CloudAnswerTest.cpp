#include <gtest/gtest.h>

#include "login/CloudAnswer.h"

namespace {

struct STextCase {
  const char16_t* text;
  const char16_t* expected;
};

TEST(CloudAnswer, ADescriptionOfEscapesKeepsOnlyTheEscapedCharacters) {
  const STextCase cases[] = {
      {u"\\u0041\\u0042", u"AB"},
      {u"Plain text", u"Plain text"},
      {u"x\\u0041", u"x\\u0041"},            // only a text that begins with the escape is rebuilt
      {u"\\u0041 and \\u0042!", u"AB"},      // plain characters between escapes go
      {u"\\u00e4\\u00DF", u"\u00e4\u00df"},  // either case of hexadecimal digit
      {u"\\u00411", u"A"},                   // four digits at most; the fifth is a plain character
      {u"\\u41\\u", u"A"},                   // fewer digits read what is there; a bare escape adds nothing
      {u"\\u\\u0042", u"B"},
      {u"\\uzz", u""},
  };
  for (const STextCase& c : cases)
    EXPECT_EQ(UnescapeDescription(CString(c.text)).ToUtf8(), CString(c.expected).ToUtf8())
        << CString(c.text).ToUtf8();
}

TEST(CloudAnswer, TheTokenIsTheQuotedTextRightAfterTheColon) {
  CString token;
  EXPECT_TRUE(FindAccessToken(u"{\"access_token\":\"t.1-2\",\"expires_in\":3600}", token));
  EXPECT_EQ(token, CString(u"t.1-2"));
  EXPECT_TRUE(FindAccessToken(u"{\"access_token\":5,\"scope\":\"all\"}", token))
      << "the first colon and quote after the key";
  EXPECT_EQ(token, CString(u"all"));
  EXPECT_FALSE(FindAccessToken(u"{\"token\":\"t\"}", token));
  EXPECT_FALSE(FindAccessToken(u"{\"access_token\": \"t\"}", token)) << "a blank after the colon";
  EXPECT_FALSE(FindAccessToken(u"{\"access_token\":\"t", token)) << "no closing quote";
  for (const char16_t* control : {u"\r\n", u"\t", u"\x7F", u"\x85"})
    EXPECT_FALSE(FindAccessToken(u"{\"access_token\":\"t" + CString(control) + u"x\"}", token))
        << "a control character " << int(control[0]);
}

TEST(CloudAnswer, AnErrorAnswerNamesItsCodeAndDescription) {
  const CString answer = u"{\"status\":\"error\",\"code\":\"E1\",\"error_description\":\"\\u0048\\u0069\"}";
  EXPECT_TRUE(IsErrorAnswer(answer));
  EXPECT_EQ(FindErrorCode(answer), CString(u"E1"));
  CString description;
  EXPECT_TRUE(FindErrorDescription(answer, description));
  EXPECT_EQ(description, CString(u"Hi"));
  EXPECT_FALSE(IsErrorAnswer(u"{\"status\": \"error\", \"code\": \"E1\"}"));
  EXPECT_FALSE(FindErrorDescription(u"{\"status\":\"error\",\"code\":\"E1\"}", description));
}

}  // namespace
