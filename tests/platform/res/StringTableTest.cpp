#include <gtest/gtest.h>

#include "platform/res/ResourceText.h"
#include "platform/res/StringTable.h"

namespace {

TEST(StringTableTest, MessageBoxTextsAreCompiledIn) {
  EXPECT_EQ(ResString(28500), u"Fatal Error");
  EXPECT_EQ(ResString(28501), u"Error");
  EXPECT_EQ(ResString(28502), u"Warning");
  EXPECT_EQ(ResString(28503), u"Information");
  EXPECT_EQ(ResString(28551),
            u"\r\n\r\nPlease send the log file to Jovant SA and describe the error.\r\n"
            u"Thank you for helping us improve our Software.");
}

TEST(StringTableTest, MissingIdEmptiesTheText) {
  CString text = u"left over";
  EXPECT_FALSE(LoadResString(65535, text));
  EXPECT_TRUE(text.IsEmpty());
}

struct SLineCase {
  const char* line;
  bool ok;
  UINT id;
  const char16_t* text;
};

TEST(StringFileTest, EntryLines) {
  const SLineCase cases[] = {
      {R"(12 "plain")", true, 12, u"plain"},
      {R"(  7   "tab\there" )", true, 7, u"tab\there"},
      {R"(1 "say \"hi\" \\ back\r\n")", true, 1, u"say \"hi\" \\ back\r\n"},
      {"65535 \"\"", true, 65535, u""},
      {"5 \"Gr\xC3\xB6\xC3\x9F"
       "e \xE2\x82\xAC\"",
       true, 5, u"Größe €"},
      {"6 \"# not a comment\"", true, 6, u"# not a comment"},
      {R"(65536 "x")", false, 0, nullptr},
      {R"(12"x")", false, 0, nullptr},
      {R"(12 "open)", false, 0, nullptr},
      {R"(12 "a\q")", false, 0, nullptr},
      {R"(12 "a\)", false, 0, nullptr},
      {R"(12 "x" y)", false, 0, nullptr},
      {R"(abc "x")", false, 0, nullptr},
      {R"(12 x)", false, 0, nullptr},
      {R"(-1 "x")", false, 0, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    SStringLine entry;
    std::string error;
    ASSERT_EQ(ParseStringLine(c.line, entry, error), c.ok) << error;
    if (!c.ok) {
      EXPECT_FALSE(error.empty());
      continue;
    }
    EXPECT_EQ(entry.id, c.id);
    EXPECT_EQ(entry.text, c.text);
  }
}

TEST(StringFileTest, BlankAndCommentLines) {
  EXPECT_TRUE(IsBlankOrComment(""));
  EXPECT_TRUE(IsBlankOrComment("   \t"));
  EXPECT_TRUE(IsBlankOrComment("  # 12 \"x\""));
  EXPECT_FALSE(IsBlankOrComment("12 \"x\""));
}

}  // namespace
