#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "grid/CellBase.h"
#include "tests/grid/GridFixture.h"

namespace {

class TwelveRows : public GridOnScreen {
 protected:
  void SetUp() override { Make(12, 4, 1, 1); }
};

TEST_F(TwelveRows, ANewRangeReplacesTheOldAndRepaintsTheCellsThatLoseIt) {
  grid->SetSelectedRange(5, 1, 7, 3);
  EXPECT_EQ(grid->GetSelectedCount(), 9);
  grid->UpdateWindow();
  grid->SetSelectedRange(9, 1, 9, 3);
  EXPECT_EQ(grid->GetSelectedCount(), 3);
  EXPECT_FALSE(grid->IsCellSelected(6, 2));
  CRect update, cell;
  ASSERT_TRUE(grid->GetUpdateRect(update));
  grid->GetPlainCellRect(5, 1, cell);
  EXPECT_TRUE(update.PtInRect(cell.TopLeft()));
}

TEST_F(TwelveRows, AdditiveRowsJoinTheSelection) {
  grid->SetSelectionAnchor(CCellAddr(5, 1));
  grid->SelectRows(CCellAddr(7, 1));
  EXPECT_EQ(grid->GetSelectedCount(), 9);
  grid->SelectRows(CCellAddr(9, 1), FALSE, TRUE, TRUE);
  EXPECT_EQ(grid->GetSelectedCount(), 12);
  EXPECT_EQ(grid->GetSelectedCellRange(), CCellBlock(5, 1, 9, 3));
  EXPECT_FALSE(grid->IsCellSelected(8, 1));
}

TEST_F(TwelveRows, DeselectingLowersTheCountByTheCellsThatWereSelected) {
  grid->SetSelectedRange(2, 1, 2, 2);
  grid->SetSelectedRange(2, 1, 3, 2, FALSE, FALSE);
  EXPECT_EQ(grid->GetSelectedCount(), 0);
}

TEST_F(TwelveRows, NothingSelectedGivesAnInvalidRange) {
  const CCellBlock range = grid->GetSelectedCellRange();
  EXPECT_EQ(range, CCellBlock(12, 4, -1, -1));
  EXPECT_FALSE(grid->IsValidRange(range));
}

TEST_F(TwelveRows, TheRangeBoundsScatteredSelectedCells) {
  struct Case {
    std::vector<CCellAddr> cells;
    CCellBlock expected;
  };
  const Case cases[] = {
      {{CCellAddr(3, 2)}, CCellBlock(3, 2, 3, 2)},
      {{CCellAddr(3, 2), CCellAddr(8, 1)}, CCellBlock(3, 1, 8, 2)},
      {{CCellAddr(10, 1), CCellAddr(1, 3)}, CCellBlock(1, 1, 10, 3)},
      {{CCellAddr(11, 3)}, CCellBlock(11, 3, 11, 3)},
      {{CCellAddr(6, 3), CCellAddr(6, 1), CCellAddr(7, 2)}, CCellBlock(6, 1, 7, 3)},
  };
  for (const Case& c : cases) {
    grid->SetSelectedRange(-1, -1, -1, -1);
    for (const CCellAddr& cell : c.cells) grid->SetCellState(cell.row, cell.col, GCS_SELECTED);
    EXPECT_EQ(grid->GetSelectedCellRange(), c.expected)
        << "first cell " << c.cells[0].row << "," << c.cells[0].col;
  }
}

TEST_F(TwelveRows, DisabledSelectionStillCountsButSelectsNothing) {
  grid->EnableSelection(FALSE);
  grid->SetCellState(3, 3, GCS_SELECTED);
  EXPECT_EQ(grid->GetSelectedCount(), 1);
  EXPECT_FALSE(grid->IsCellSelected(3, 3));
}

TEST_F(TwelveRows, FocusIsRaisedOutOfTheFixedCellsAndAnnounced) {
  grid->SetFocusCell(0, 0);
  EXPECT_EQ(grid->GetFocusCell(), CCellAddr(1, 1));
  ASSERT_EQ(host.notices.size(), 1u);
  EXPECT_EQ(host.notices[0], (SNotice{GRIDN_FOCUSCHANGED, 1, 1}));
  EXPECT_TRUE(grid->GetCellState(1, 1) & GCS_FOCUSED);
  grid->SetFocusCell(2, 2);
  EXPECT_FALSE(grid->GetCellState(1, 1) & GCS_FOCUSED);
}

TEST_F(TwelveRows, APressOnTheFixedColumnSelectsRowsFromTheAnchor) {
  grid->SetSelectionAnchor(CCellAddr(3, 1));
  grid->HandleFixedColumnClick(CCellAddr(5, 0));
  EXPECT_EQ(grid->GetSelectedCellRange(), CCellBlock(3, 1, 5, 3));
  ASSERT_EQ(host.notices.size(), 1u);
  EXPECT_EQ(host.notices[0], (SNotice{GRIDN_SELCHANGING, 5, 0}));
  grid->SetWholeRowSelection(TRUE);
  grid->HandleFixedColumnClick(CCellAddr(7, 0));
  EXPECT_EQ(grid->GetSelectedCount(), 0);
}

TEST_F(TwelveRows, SelectAllAnnouncesTheChange) {
  grid->OnEditSelectAll();
  EXPECT_EQ(grid->GetSelectedCount(), 11 * 3);
  ASSERT_EQ(host.notices.size(), 2u);
  EXPECT_EQ(host.notices[0].code, GRIDN_SELCHANGING);
  EXPECT_EQ(host.notices[1].code, GRIDN_SELCHANGED);
}

// Selecting the same block again skips cells it knows to be selected; every way a cell of the
// block can lose its selection in between must make the next selection select it again.
TEST_F(TwelveRows, SelectingABlockAgainSelectsCellsThatLostTheSelectionMeanwhile) {
  struct Case {
    const char* how;
    std::function<void(CCellGrid&)> lose;
  };
  const Case cases[] = {
      {"through the cell",
       [](CCellGrid& g) { g.GetCell(6, 2)->SetState(g.GetCellState(6, 2) & ~GCS_SELECTED); }},
      {"through the grid", [](CCellGrid& g) { g.SetCellState(6, 2, g.GetCellState(6, 2) & ~GCS_SELECTED); }},
      {"by a reset", [](CCellGrid& g) { g.GetCell(6, 2)->Reset(); }},
      {"by new cells",
       [](CCellGrid& g) {
         g.SetRowCount(6);
         g.SetRowCount(12);
       }},
      // Rows 5 to 7 sort to the bottom and unselected rows take their places.
      {"by a sort", [](CCellGrid& g) { g.SortRange(CCellGrid::CompareCellsText, 1, TRUE, 0, 1, 11); }},
  };
  for (const Case& c : cases) {
    grid->ClearSelection();
    for (int r = 1; r < 12; ++r) grid->SetCellText(r, 1, r >= 5 && r <= 7 ? u"z" : u"a");
    grid->SetSelectedRange(5, 1, 7, 3);
    grid->SetSelectedRange(5, 1, 7, 3);
    c.lose(*grid);
    ASSERT_FALSE(grid->IsCellSelected(6, 2)) << c.how;
    grid->UpdateWindow();
    grid->SetSelectedRange(5, 1, 7, 3);
    EXPECT_TRUE(grid->IsCellSelected(6, 2)) << c.how;
    EXPECT_EQ(grid->GetSelectedCount(), 9) << c.how;
    CRect update, cell;
    grid->GetPlainCellRect(6, 2, cell);
    EXPECT_TRUE(grid->GetUpdateRect(update) && update.PtInRect(cell.TopLeft())) << c.how << ": repainted";
  }
}

TEST_F(TwelveRows, SelectAllAgainKeepsTheCountAndTheNotices) {
  grid->OnEditSelectAll();
  host.notices.clear();
  grid->OnEditSelectAll();
  EXPECT_EQ(grid->GetSelectedCount(), 11 * 3);
  EXPECT_EQ(grid->GetSelectedCellRange(), CCellBlock(1, 1, 11, 3));
  ASSERT_EQ(host.notices.size(), 2u);
  EXPECT_EQ(host.notices[0].code, GRIDN_SELCHANGING);
  EXPECT_EQ(host.notices[1].code, GRIDN_SELCHANGED);
}

}  // namespace
