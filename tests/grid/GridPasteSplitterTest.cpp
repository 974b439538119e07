#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "grid/GridPasteSplitter.h"

namespace {

// Fields as "row,col=text" for a 4 x 3 grid whose listed rows and columns are hidden.
std::string Split(const CString& text, int row, int col, std::set<int> hiddenRows = {},
                  std::set<int> hiddenCols = {}) {
  const CGridPasteSplitter splitter(
      4, 3, [&](int r) { return hiddenRows.count(r) ? 0 : 20; },
      [&](int c) { return hiddenCols.count(c) ? 0 : 50; });
  std::string out;
  for (const SGridPasteField& field : splitter.Split(text, row, col))
    out += std::to_string(field.row) + "," + std::to_string(field.col) + "=" + field.text.ToUtf8() + ";";
  return out;
}

TEST(GridPasteSplitter, FieldsEndAtTabsAndCommasAndAreTrimmed) {
  struct Case {
    const char16_t* text;
    const char* expected;
  } cases[] = {
      {u"a\tb", "1,0=a;1,1=b;"},
      {u" a , b\t c ", "1,0=a;1,1=b;1,2=c;"},
      {u"a,b,", "1,0=a;1,1=b;"},
      {u",x", "1,0=;1,1=x;"},
      {u"a\nb\n", "1,0=a;2,0=b;"},
      {u"a\r\nb", "1,0=a;2,0=b;"},
      {u"a,\r\nb,\r\n", "1,0=a;2,0=b;"},
      {u"\nz", "2,0=z;"},
      {u"a,b,c,d", "1,0=a;1,1=b;1,2=c;"},
      {u"1\n2\n3\n4", "1,0=1;2,0=2;3,0=3;"},
      {u"\u0436,\u20ac", "1,0=\u0436;1,1=\u20ac;"},
  };
  for (const Case& c : cases) EXPECT_EQ(Split(c.text, 1, 0), c.expected) << CString(c.text).ToUtf8();
}

TEST(GridPasteSplitter, HiddenRowsAndColumnsAreSteppedOver) {
  EXPECT_EQ(Split(u"a,b\nc,d", 0, 0, {1}, {1}), "0,0=a;0,2=b;2,0=c;2,2=d;");
  EXPECT_EQ(Split(u"a", 1, 0, {1, 2}), "3,0=a;");
  EXPECT_EQ(Split(u"a,b", 0, 1, {}, {1, 2}), "");
}

}  // namespace
