#include <gtest/gtest.h>

#include "appbase/EscapeMarkup.h"

namespace {

TEST(EscapeMarkup, EscapesAndRestoresCommentTexts) {
  const CString text = u"Coat \"B\" &\tprimer\r\nline two\nthree";
  const CString escaped = EscapeMarkup(text, true);
  EXPECT_EQ(escaped, u"Coat &quotB&quot &amp&#9primer&#13line two&#13three");
  EXPECT_EQ(EscapeMarkup(escaped, false), u"Coat \"B\" &\tprimer\r\nline two\r\nthree");
  EXPECT_EQ(EscapeMarkup(u"&amp;", true), u"&ampamp;");
  EXPECT_EQ(EscapeMarkup(u"&ampamp;", false), u"&amp;");
}

}  // namespace
