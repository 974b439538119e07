#include <gtest/gtest.h>

#include "platform/base/MessageFormat.h"

namespace {

struct SFormatCase {
  const char16_t* pattern;
  const char16_t* expected;
};

class MessageFormatRules : public ::testing::TestWithParam<SFormatCase> {};

TEST_P(MessageFormatRules, InsertsAndEscapes) {
  const std::vector<CString> inserts = {u"1.4.3", u"1.4.2"};
  EXPECT_EQ(FormatMessageText(GetParam().pattern, inserts), CString(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MessageFormatRules,
    ::testing::Values(SFormatCase{u"Firmware version %1% or higher.\nThe version is %2%.",
                                  u"Firmware version 1.4.3 or "
                                  u"higher.\nThe version is 1.4.2."},
                      SFormatCase{u"%2 before %1", u"1.4.2 before 1.4.3"},
                      SFormatCase{u"100%% sure%!", u"100% sure!"}, SFormatCase{u"a%nb", u"a\r\nb"},
                      SFormatCase{u"%3 missing", u" missing"}, SFormatCase{u"%12", u""},
                      SFormatCase{u"end %", u"end "}, SFormatCase{u"%x", u""}));

}  // namespace
