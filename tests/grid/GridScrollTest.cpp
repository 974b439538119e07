#include <gtest/gtest.h>

#include "platform/gdi/SystemInfo.h"
#include "tests/grid/GridFixture.h"

namespace {

// 40 rows of 300 pixels under one heading row of 20, in a 400 x 300 grid.
class TallRows : public GridOnScreen {
 protected:
  void SetUp() override {
    Make(41, 3, 1, 1);
    grid->SetRowHeight(0, 20);
    for (int r = 1; r < 41; ++r) grid->SetRowHeight(r, 300);
  }
  int Pos() { return grid->ReadScrollPosition(SB_VERT); }
  void Line(UINT code) {
    SimulateScrollBar(grid.get(), SB_VERT, code);
    PumpMessages();
  }
};

TEST_F(TallRows, PixelLinesStepAtMostFifteenPixels) {
  grid->SetWholeRowScrolling(FALSE);
  Line(SB_LINEDOWN);
  EXPECT_EQ(Pos(), 15);
  EXPECT_EQ(grid->GetTopLeftScrollCell(), CCellAddr(1, 1));
  EXPECT_EQ(grid->GetTopRowOffset(), -15);
  for (int i = 0; i < 19; ++i) Line(SB_LINEDOWN);
  EXPECT_EQ(Pos(), 300);
  EXPECT_EQ(grid->GetTopLeftScrollCell(), CCellAddr(2, 1));
  EXPECT_EQ(grid->GetTopRowOffset(), 0);
  Line(SB_LINEUP);
  EXPECT_EQ(Pos(), 285);
  EXPECT_EQ(grid->GetTopRowOffset(), -285);
}

TEST_F(TallRows, PixelLinesUpReachTheStartOfTheFirstRow) {
  grid->SetWholeRowScrolling(FALSE);
  SimulateScrollBar(grid.get(), SB_VERT, SB_THUMBTRACK, 20);
  SimulateScrollBar(grid.get(), SB_VERT, SB_THUMBPOSITION, 20);
  PumpMessages();
  Line(SB_LINEUP);
  EXPECT_EQ(Pos(), 5);
  Line(SB_LINEUP);
  EXPECT_EQ(Pos(), 0);
  EXPECT_EQ(grid->GetTopRowOffset(), 0);
}

TEST_F(TallRows, WholeRowLinesStepARowAndThumbMovesInARowDoNotRepaint) {
  Line(SB_LINEDOWN);
  EXPECT_EQ(Pos(), 300);
  EXPECT_EQ(grid->GetTopLeftScrollCell(), CCellAddr(2, 1));
  grid->UpdateWindow();
  // Whole rows: the first row whose top lies at or after 290 is still row 2.
  SimulateScrollBar(grid.get(), SB_VERT, SB_THUMBTRACK, 290);
  CRect update;
  EXPECT_FALSE(grid->GetUpdateRect(update));
  SimulateScrollBar(grid.get(), SB_VERT, SB_THUMBTRACK, 700);
  EXPECT_TRUE(grid->GetUpdateRect(update));
}

TEST_F(TallRows, BarClampsThePositionToTheLastPage) {
  SimulateScrollBar(grid.get(), SB_VERT, SB_THUMBTRACK, 1000000);
  PumpMessages();
  SCROLLINFO info{};
  grid->GetScrollInfo(SB_VERT, &info, SIF_ALL);
  EXPECT_EQ(grid->GetScrollMaximum(SB_VERT), 40 * 300 - 1);
  EXPECT_EQ(Pos(), info.nMax - int(info.nPage) + 1);
}

TEST_F(TallRows, ShownBarsShrinkTheClientArea) {
  CRect client;
  grid->GetClientRect(client);
  EXPECT_EQ(grid->GetScrollBarState(), 0x02u);
  EXPECT_EQ(client.Width(), 400 - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(client.Height(), 300);
  grid->SetRowCount(1);
  grid->GetClientRect(client);
  EXPECT_EQ(grid->GetScrollBarState(), 0u);
  EXPECT_EQ(client.Width(), 400);
}

TEST_F(TallRows, WheelScrollsByLinesOrByPages) {
  grid->SetWholeRowScrolling(FALSE);
  CRect window;
  grid->GetWindowRect(window);
  SimulateWheel(grid.get(), -120, CPoint(50, 50), 0);
  PumpMessages();
  EXPECT_EQ(Pos(), 45);
  grid->SetWheelScrollLines(-1);
  SimulateWheel(grid.get(), -240, CPoint(50, 50), 0);
  PumpMessages();
  EXPECT_EQ(Pos(), 45 + 2 * (300 - 20));
  SimulateWheel(grid.get(), 120, CPoint(50, 50), 0);
  PumpMessages();
  EXPECT_EQ(Pos(), 45 + 280);
}

TEST_F(TallRows, EnsureVisibleBringsARowIntoView) {
  grid->SetWholeRowScrolling(FALSE);
  grid->EnsureVisible(10, 1);
  CRect rect;
  ASSERT_TRUE(grid->GetCellRect(10, 1, rect));
  CRect client;
  grid->GetClientRect(client);
  EXPECT_LE(rect.bottom, client.bottom);
  grid->EnsureVisible(2, 1);
  ASSERT_TRUE(grid->GetCellRect(2, 1, rect));
  EXPECT_EQ(rect.top, 20);
}

using GridGeometry = GridOnScreen;

TEST_F(GridGeometry, ARangeScrolledPartlyOffIsOneCellStartingUnderTheFixedColumns) {
  Make(3, 8, 1, 1, 200, 100);
  for (int c = 0; c < 8; ++c) grid->SetColumnWidth(c, 50);
  ASSERT_TRUE(grid->SetCellColumnRange(1, 2, 4));
  SimulateScrollBar(grid.get(), SB_HORZ, SB_LINERIGHT);
  SimulateScrollBar(grid.get(), SB_HORZ, SB_LINERIGHT);
  PumpMessages();
  ASSERT_EQ(grid->GetTopLeftScrollCell().col, 3);
  const int y = grid->GetRowHeight(0) + 5;
  EXPECT_EQ(grid->GetCellAtPoint(CPoint(60, y)), CCellAddr(1, 2));
  CRect rect;
  ASSERT_TRUE(grid->GetCellRect(1, 2, rect));
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.right, 149);
  EXPECT_EQ(grid->GetCellAtPoint(CPoint(10, y), TRUE), CCellAddr(1, 0));
}

TEST_F(GridGeometry, AutoSizeTakesTheWidestExtentAndSkipsHiddenColumns) {
  Make(3, 3, 1, 0);
  grid->SetCellText(1, 1, u"a rather long text in the cell");
  ASSERT_TRUE(grid->AutoSizeColumn(1));
  const int width = grid->GetColumnWidth(1);
  EXPECT_EQ(width, int(grid->GetCell(1, 1)->GetCellExtent(nullptr).cx));
  grid->SetColumnWidth(2, 0);
  EXPECT_FALSE(grid->AutoSizeColumn(2));
  // A range of one column keeps its whole extent.
  grid->SetCellColumnRange(1, 1, 1);
  ASSERT_TRUE(grid->AutoSizeColumn(1));
  EXPECT_EQ(grid->GetColumnWidth(1), width);
}

TEST_F(GridGeometry, NoScrollableRowsHideBothBars) {
  Make(1, 30, 1, 0, 200, 100);
  EXPECT_EQ(grid->GetScrollBarState() & 0x02u, 0u);
  grid->SetFixedColumnCount(30);
  EXPECT_EQ(grid->GetScrollBarState(), 0u);
}

}  // namespace
