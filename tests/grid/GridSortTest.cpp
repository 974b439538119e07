#include <gtest/gtest.h>

#include <vector>

#include "grid/TextCell.h"
#include "tests/grid/GridFixture.h"

namespace {

// Rows 1..5 under one heading row, column 1 holding the sort keys and each row its own height.
class GridWithFiveKeys : public GridOnScreen {
 protected:
  void SetUp() override {
    Make(6, 2, 1, 0);
    const char16_t* keys[] = {u"b", u"a", u"c", u"a", u"d"};
    for (int r = 1; r <= 5; ++r) {
      grid->SetCellText(r, 1, keys[r - 1]);
      CString tag;
      tag.Format(u"r%d", r);
      grid->SetCellText(r, 0, tag);
      grid->SetRowHeight(r, 20 + r);
    }
  }
  std::vector<CString> Column(int col) {
    std::vector<CString> texts;
    for (int r = 1; r <= 5; ++r) texts.push_back(grid->GetCellText(r, col));
    return texts;
  }
  std::vector<int> Heights() {
    std::vector<int> heights;
    for (int r = 1; r <= 5; ++r) heights.push_back(grid->GetRowHeight(r));
    return heights;
  }
};

TEST_F(GridWithFiveKeys, AscendingSortMovesCellsAndHeightsWithTheirRows) {
  EXPECT_TRUE(grid->SortByColumn(1, TRUE));
  EXPECT_EQ(Column(1), (std::vector<CString>{u"a", u"a", u"b", u"c", u"d"}));
  // Equal keys end where the quicksort leaves them: the later "a" (row 4) first.
  EXPECT_EQ(Column(0), (std::vector<CString>{u"r4", u"r2", u"r1", u"r3", u"r5"}));
  EXPECT_EQ(Heights(), (std::vector<int>{24, 22, 21, 23, 25}));
  EXPECT_EQ(grid->GetSortColumn(), 1);
  EXPECT_TRUE(grid->GetSortAscending());
  for (int r = 1; r <= 5; ++r) {
    auto* cell = static_cast<CTextCell*>(grid->GetCell(r, 0));
    EXPECT_EQ(cell->GetRow(), r);
    EXPECT_EQ(cell->GetColumn(), 0);
  }
  EXPECT_EQ(grid->GetTotalHeight(), grid->GetRowHeight(0) + 21 + 22 + 23 + 24 + 25);
}

TEST_F(GridWithFiveKeys, DescendingSortAndTheHeadingRowStays) {
  grid->SetCellText(0, 1, u"key");
  EXPECT_TRUE(grid->SortByColumn(1, FALSE));
  EXPECT_EQ(Column(1), (std::vector<CString>{u"d", u"c", u"b", u"a", u"a"}));
  EXPECT_EQ(grid->GetCellText(0, 1), CString(u"key"));
  EXPECT_FALSE(grid->GetSortAscending());
}

int CompareByLength(CCellBase* first, CCellBase* second, LPARAM data) {
  const int diff = first->GetText().GetLength() - second->GetText().GetLength();
  return int(data) * diff;
}

TEST_F(GridWithFiveKeys, TheStoredCallbackAndItsDataDecide) {
  const char16_t* keys[] = {u"ccc", u"a", u"bb", u"dddd", u"eeeee"};
  for (int r = 1; r <= 5; ++r) grid->SetCellText(r, 1, keys[r - 1]);
  EXPECT_TRUE(grid->SortWithCallback(&CompareByLength, 1, TRUE, -1));
  EXPECT_EQ(Column(1), (std::vector<CString>{u"eeeee", u"dddd", u"ccc", u"bb", u"a"}));
  grid->SetSortCallback(&CompareByLength);
  grid->SetCellText(1, 1, u"ffffff");
  EXPECT_TRUE(grid->SortWithCallback(grid->GetSortCallback(), 1, TRUE, 1));
  EXPECT_EQ(grid->GetCellText(5, 1), CString(u"ffffff"));
}

TEST_F(GridWithFiveKeys, RangesOutsideTheGridAreRefused) {
  EXPECT_FALSE(grid->SortRange(&CCellGrid::CompareCellsText, 2, TRUE, 0, 1));
  EXPECT_FALSE(grid->SortRange(&CCellGrid::CompareCellsText, -1, TRUE, 0, 1));
  EXPECT_FALSE(grid->SortRange(&CCellGrid::CompareCellsText, 1, TRUE, 0, 3, 3));
  EXPECT_FALSE(grid->SortRange(&CCellGrid::CompareCellsText, 1, TRUE, 0, 1, 6));
  EXPECT_EQ(Column(1), (std::vector<CString>{u"b", u"a", u"c", u"a", u"d"}));
}

TEST_F(GridWithFiveKeys, HeaderClicksSortAndToggleTheDirection) {
  grid->SetHeaderSort(TRUE);
  grid->SetFocusCell(2, 1);
  grid->HandleFixedRowClick(CCellAddr(0, 1));
  EXPECT_EQ(Column(1), (std::vector<CString>{u"a", u"a", u"b", u"c", u"d"}));
  EXPECT_TRUE(grid->GetSortAscending());
  EXPECT_FALSE(grid->IsValid(grid->GetFocusCell()));
  grid->HandleFixedRowClick(CCellAddr(0, 1));
  EXPECT_EQ(Column(1), (std::vector<CString>{u"d", u"c", u"b", u"a", u"a"}));
  EXPECT_FALSE(grid->GetSortAscending());
  grid->HandleFixedRowClick(CCellAddr(0, 1));
  EXPECT_TRUE(grid->GetSortAscending());
}

TEST_F(GridWithFiveKeys, HeaderClickWithoutHeaderSortOnlyAnnouncesTheSelection) {
  host.notices.clear();
  grid->HandleFixedRowClick(CCellAddr(0, 1));
  EXPECT_EQ(Column(1), (std::vector<CString>{u"b", u"a", u"c", u"a", u"d"}));
  EXPECT_EQ(grid->GetSortColumn(), -1);
  ASSERT_EQ(host.notices.size(), 1u);
  EXPECT_EQ(host.notices[0], (SNotice{GRIDN_SELCHANGING, 0, 1}));
}

TEST_F(GridWithFiveKeys, ChangingATextOfTheSortColumnForgetsIt) {
  ASSERT_TRUE(grid->SortByColumn(1, TRUE));
  grid->SetCellText(2, 1, u"z");
  EXPECT_EQ(grid->GetSortColumn(), -1);
}

class SortInVirtualMode : public GridOnScreen {};

TEST_F(SortInVirtualMode, SortingIsRefusedAndNoSortColumnSet) {
  Make(6, 2, 1, 0, 400, 300, true);
  grid->SetHeaderSort(TRUE);
  EXPECT_FALSE(grid->SortByColumn(1, TRUE));
  grid->HandleFixedRowClick(CCellAddr(0, 1));
  EXPECT_EQ(grid->GetSortColumn(), -1);
}

class TwoCellsToCompare : public GridOnScreen {};

TEST_F(TwoCellsToCompare, TextsCompareCodeUnitByCodeUnit) {
  Make(1, 2, 0, 0);
  struct Case {
    const char16_t* first;
    const char16_t* second;
    int expected;
  } cases[] = {{u"a", u"b", -1},   {u"b", u"a", 1},  {u"ab", u"ab", 0},    {u"ab", u"abc", -1},
               {u"abc", u"ab", 1}, {u"B", u"a", -1}, {u"\u00e9", u"z", 1}, {u"", u"", 0}};
  for (const Case& c : cases) {
    grid->SetCellText(0, 0, c.first);
    grid->SetCellText(0, 1, c.second);
    EXPECT_EQ(CCellGrid::CompareCellsText(grid->GetCell(0, 0), grid->GetCell(0, 1), 0), c.expected)
        << CString(c.first).ToUtf8() << " vs " << CString(c.second).ToUtf8();
  }
  EXPECT_EQ(CCellGrid::CompareCellsText(nullptr, grid->GetCell(0, 1), 0), 0);
}

}  // namespace
