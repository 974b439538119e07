#include <gtest/gtest.h>

#include "tests/grid/org/OrgGridFixture.h"

namespace {

CString ColumnTexts(CCellGridOrg& grid, int col) {
  CString texts;
  for (int r = grid.GetFixedRowCount(); r < grid.GetRowCount(); ++r) texts += grid.GetCellText(r, col) + u"|";
  return texts;
}

class OrgSort : public ::testing::Test {
 protected:
  void Fill(std::initializer_list<const char16_t*> keys) {
    grid.SetRowCount(int(keys.size()) + 1);
    int r = 1;
    for (const char16_t* key : keys) {
      grid.SetCellText(r, 1, key);
      CString tag;
      tag.Format(u"r%d", r);
      grid.SetCellText(r, 2, tag);
      grid.SetRowHeight(r, 10 + r);
      ++r;
    }
  }
  CUiApplication application;
  CCellGridOrg grid{1, 3, 1, 1};
};

TEST_F(OrgSort, NumbersSortByValueAndTextByCodeUnits) {
  Fill({u"10", u"9", u"-3", u" 12x"});
  EXPECT_TRUE(grid.SortWithCallback(&CCellGridOrg::CompareCellsNumeric, 1, TRUE));
  EXPECT_EQ(ColumnTexts(grid, 1), CString(u"-3|9|10| 12x|"));
  EXPECT_TRUE(grid.SortWithCallback(&CCellGridOrg::CompareCellsText, 1, TRUE));
  EXPECT_EQ(ColumnTexts(grid, 1), CString(u" 12x|-3|10|9|"));
  EXPECT_TRUE(grid.SortWithCallback(&CCellGridOrg::CompareCellsNumeric, 1, FALSE));
  EXPECT_EQ(ColumnTexts(grid, 1), CString(u" 12x|10|9|-3|"));
}

TEST_F(OrgSort, HeightsMoveWithTheirRowsAndEqualRowsStay) {
  Fill({u"b", u"a", u"b", u"a"});
  EXPECT_TRUE(grid.SortByColumn(1, TRUE));
  EXPECT_EQ(ColumnTexts(grid, 1), CString(u"a|a|b|b|"));
  for (int r = 1; r <= 4; ++r) {
    const int original = grid.GetCellText(r, 2)[1] - u'0';
    EXPECT_EQ(grid.GetRowHeight(r), 10 + original) << "row " << r;
  }
  Fill({u"x", u"x", u"x"});
  EXPECT_TRUE(grid.SortByColumn(1, TRUE));
  EXPECT_EQ(ColumnTexts(grid, 2), CString(u"r1|r2|r3|"));
}

TEST_F(OrgSort, ASortForgetsSelectionAndFocus) {
  Fill({u"2", u"1"});
  grid.SetSelectedRange(1, 1, 2, 2);
  grid.SetFocusCell(1, 1);
  grid.SortByColumn(1, TRUE);
  EXPECT_EQ(grid.GetSelectedCount(), 0);
  EXPECT_EQ(grid.GetFocusCell(), CCellAddrOrg(-1, -1));
  EXPECT_FALSE(grid.GetCell(1, 1)->IsSelected());
  EXPECT_EQ(grid.GetSortColumn(), 1);
}

TEST_F(OrgSort, VeryLongNumbersSaturateInsteadOfWrapping) {
  Fill({u"99999999999999999999999", u"5", u"-99999999999999999999999"});
  grid.SortWithCallback(&CCellGridOrg::CompareCellsNumeric, 1, TRUE);
  EXPECT_EQ(ColumnTexts(grid, 1), CString(u"-99999999999999999999999|5|99999999999999999999999|"));
}

TEST_F(OrgSort, RangesOutsideTheGridAreRefused) {
  Fill({u"a", u"b"});
  EXPECT_FALSE(grid.SortRange(&CCellGridOrg::CompareCellsText, 3, TRUE, 0, 1));
  EXPECT_FALSE(grid.SortRange(&CCellGridOrg::CompareCellsText, 1, TRUE, 0, 2, 2));
  EXPECT_EQ(CCellGridOrg::CompareCellsText(0, LPARAM(grid.GetCell(1, 1)), 0), 0);
}

bool ByDataRowDescending(int first, int second) { return first > second; }

TEST(OrgVirtualSort, WithoutAPredicateNothingChanges) {
  CUiApplication application;
  CCellGridOrg grid;
  grid.SetVirtualMode(TRUE);
  grid.SetRowCount(5);
  grid.SetColumnCount(2);
  grid.SetFixedRowCount(1);
  EXPECT_FALSE(grid.SortByColumn(1, TRUE));
  EXPECT_EQ(grid.GetRowOrder(), (std::vector<int>{0, 1, 2, 3, 4}));
  grid.SetRowOrderPredicate(&ByDataRowDescending);
  EXPECT_TRUE(grid.SortByColumn(1, TRUE));
  EXPECT_EQ(grid.GetRowOrder(), (std::vector<int>{0, 4, 3, 2, 1}));
  EXPECT_EQ(grid.GetDraggedColumn(), 1);
  EXPECT_TRUE(grid.SortByColumn(1, FALSE));
  EXPECT_EQ(grid.GetRowOrder(), (std::vector<int>{0, 1, 2, 3, 4}));
}

}  // namespace
