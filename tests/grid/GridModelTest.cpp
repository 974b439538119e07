#include <gtest/gtest.h>

#include <new>

#include "grid/GradientCell.h"
#include "grid/TextCell.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SysColors.h"
#include "tests/grid/GridFixture.h"

namespace {

// A cell that counts its after-draw calls and tells when it is gone.
class CAfterDrawCell : public CTextCell {
  DECLARE_DYNCREATE(CAfterDrawCell)

 public:
  ~CAfterDrawCell() override { ++destroyed; }
  BOOL OnAfterDraw() override {
    ++calls;
    return TRUE;
  }
  static int calls;
  static int destroyed;
};
IMPLEMENT_DYNCREATE(CAfterDrawCell, CTextCell)
int CAfterDrawCell::calls = 0;
int CAfterDrawCell::destroyed = 0;

using GridModel = GridOnScreen;

TEST_F(GridModel, FixedCountsSetTheStateBitsAndRaiseTheRowCount) {
  Make(1, 3, 0, 0);
  ASSERT_TRUE(grid->SetFixedRowCount(2));
  EXPECT_EQ(grid->GetRowCount(), 2);
  ASSERT_TRUE(grid->SetFixedColumnCount(1));
  EXPECT_EQ(grid->GetCellState(0, 0) & 0x70u, 0x70u);
  EXPECT_EQ(grid->GetCellState(0, 2) & 0x70u, 0x30u);
  EXPECT_EQ(grid->GetCellState(1, 0) & 0x70u, 0x70u);
  ASSERT_TRUE(grid->SetRowCount(4));
  EXPECT_EQ(grid->GetCellState(3, 0) & 0x70u, 0x50u);
  EXPECT_EQ(grid->GetCellState(3, 1) & 0x70u, 0u);
}

TEST_F(GridModel, CellsLeavingTheFixedAreaTakeANewCellsColours) {
  Make(3, 3, 1, 0);
  ASSERT_TRUE(grid->SetFixedRowCount(0));
  CCellBase* cell = grid->GetCell(0, 1);
  EXPECT_EQ(cell->GetTextColor(), 0u);
  EXPECT_EQ(cell->GetBackColor(), 0xFFFFFFu);
  EXPECT_EQ(cell->GetState() & GCS_FIXED, 0u);
}

TEST_F(GridModel, RemovedRowsGiveUpTheirSelection) {
  Make(6, 3, 1, 1);
  grid->SetSelectedRange(1, 1, 5, 2);
  ASSERT_EQ(grid->GetSelectedCount(), 10);
  grid->SetRowCount(3);
  EXPECT_EQ(grid->GetSelectedCount(), 4);
  grid->SetRowCount(0);
  EXPECT_EQ(grid->GetSelectedCount(), 0);
}

TEST_F(GridModel, CellsFreedByTheGridLeaveTheAfterDrawList) {
  Make(4, 3, 0, 0);
  grid->SetDefaultCellType(RUNTIME_CLASS(CAfterDrawCell));
  grid->SetRowCount(6);
  CAfterDrawCell::calls = 0;
  grid->GetCell(5, 0)->QueueAfterDraw();
  grid->GetCell(4, 0)->QueueAfterDraw();
  grid->GetCell(4, 1)->QueueAfterDraw();
  grid->SetRowCount(5);                                   // frees row 5
  grid->SetCellType(4, 0, RUNTIME_CLASS(CGradientCell));  // frees the old (4, 0)
  grid->UpdateWindow();
  grid->Invalidate();
  grid->UpdateWindow();
  EXPECT_EQ(CAfterDrawCell::calls, 1);
}

TEST_F(GridModel, SetCellHandsTheOldCellBack) {
  Make(2, 2, 0, 0);
  CCellBase* old = nullptr;
  auto* cell = new CTextCell;
  cell->SetGrid(grid.get());
  ASSERT_TRUE(grid->SetCell(1, 1, cell, &old));
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(grid->GetCell(1, 1), cell);
  EXPECT_EQ(cell->GetRow(), 1);
  delete old;
  CTextCell unplaced;
  EXPECT_EQ(unplaced.GetRow(), -1);
  EXPECT_EQ(unplaced.GetColumn(), -1);
}

TEST_F(GridModel, TextOnTheSortColumnForgetsIt) {
  Make(3, 3, 1, 0);
  grid->SetSortColumn(1);
  grid->SetCellText(1, 2, u"x");
  EXPECT_EQ(grid->GetSortColumn(), 1);
  grid->SetCellText(1, 1, u"x");
  EXPECT_EQ(grid->GetSortColumn(), -1);
  EXPECT_TRUE(grid->GetCellState(1, 1) & GCS_MODIFIED);
}

TEST_F(GridModel, ColumnRangesSpanTheirWidthsAndAnswerFalseOutsideTheGrid) {
  Make(3, 6, 1, 1);
  for (int c = 0; c < 6; ++c) grid->SetColumnWidth(c, 10 * (c + 1));
  EXPECT_FALSE(grid->SetCellColumnRange(1, 2, 6));
  EXPECT_FALSE(grid->SetCellColumnRange(3, 2, 4));
  ASSERT_TRUE(grid->SetCellColumnRange(1, 2, 4));
  EXPECT_EQ(grid->GetColumnWidth(2, 1), 30 + 40 + 50);
  EXPECT_EQ(grid->GetColumnWidth(3, 1), 0);
  EXPECT_EQ(grid->GetColumnWidth(3), 40);
  EXPECT_EQ(grid->GetSpanWidth(3, 1), 40 + 50);
}

TEST_F(GridModel, NewColumnsTakeTheFixedColumnDefaultWidth) {
  Make(2, 2, 0, 0);
  grid->GetDefaultCell(FALSE, TRUE)->SetDefaultWidth(77);
  grid->SetColumnCount(3);
  EXPECT_EQ(grid->GetColumnWidth(2), 77);
  EXPECT_EQ(grid->GetColumnWidth(0), grid->GetDefaultCell(FALSE, FALSE)->GetDefaultWidth());
}

TEST_F(GridModel, SystemColourChangeFollowsOnlyTheDefaultColours) {
  Make(2, 2, 1, 0);
  grid->GetDefaultCell(TRUE, FALSE)->SetTextColor(0x0000FF);
  const int indices[] = {COLOR_WINDOWTEXT, COLOR_WINDOW};
  const COLORREF colors[] = {0x112233, 0x445566};
  SetSysColors(2, indices, colors);
  EXPECT_EQ(grid->GetDefaultCell(FALSE, FALSE)->GetTextColor(), 0x112233u);
  EXPECT_EQ(grid->GetDefaultCell(FALSE, FALSE)->GetBackColor(), 0x445566u);
  EXPECT_EQ(grid->GetDefaultCell(TRUE, FALSE)->GetTextColor(), 0x0000FFu);
  ResetSysColorValues();
}

TEST_F(GridModel, WheelLinesComeFromTheSystem) {
  SetWheelScrollLines(-1);
  CCellGrid paging;
  EXPECT_EQ(paging.GetWheelScrollLines(), -1);
  SetWheelScrollLines(3);
  CCellGrid lines;
  EXPECT_EQ(lines.GetWheelScrollLines(), 3);
}

}  // namespace

namespace {

// A cell that cannot be made while the memory is said to be gone.
class CScarceCell : public CTextCell {
 public:
  static const CRuntimeClass classCScarceCell;
  static CObject* CreateObject() {
    if (--left < 0) throw std::bad_alloc();
    return new CScarceCell;
  }
  static int left;
};
const CRuntimeClass CScarceCell::classCScarceCell = {"CScarceCell", &CScarceCell::CreateObject,
                                                     RUNTIME_CLASS(CTextCell)};
int CScarceCell::left = 0;

TEST_F(GridModel, CountsThatCannotBeMadeStayAsTheyWere) {
  Make(5, 3, 1, 1);
  CScriptedAnswers answers;
  grid->SetDefaultCellType(RUNTIME_CLASS(CScarceCell));
  CScarceCell::left = 4;
  EXPECT_FALSE(grid->SetRowCount(8));
  EXPECT_EQ(grid->GetRowCount(), 5);
  EXPECT_EQ(grid->GetRowHeight(5), -1);
  CScarceCell::left = 2;
  EXPECT_FALSE(grid->SetColumnCount(5));
  EXPECT_EQ(grid->GetColumnCount(), 3);
  EXPECT_EQ(grid->GetColumnWidth(3), -1);
  EXPECT_NE(grid->GetCell(4, 2), nullptr);
  ASSERT_EQ(answers.GetMessageBoxes().size(), 2u);
  EXPECT_EQ(answers.GetMessageBoxes()[0].text, CString(u"Out of memory."));
}

}  // namespace
