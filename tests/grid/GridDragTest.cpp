#include <gtest/gtest.h>

#include <memory>

#include "platform/ui/OleDropTarget.h"
#include "platform/ui/ScriptedAnswers.h"
#include "tests/grid/GridFixture.h"

namespace {

// Grids of 6 rows and 4 columns, one fixed row and column, cells 50 x 20: cell (r, c) has its
// centre at (25 + 50 c, 10 + 20 r).
class GridDragTest : public GridOnScreen {
 protected:
  void SetUp() override {
    Make(6, 4, 1, 1);
    Shape(*grid);
  }
  static void Shape(CCellGrid& g) {
    g.SetDragAndDrop(TRUE);
    for (int c = 0; c < 4; ++c) g.SetColumnWidth(c, 50);
    for (int r = 0; r < 6; ++r) g.SetRowHeight(r, 20);
  }
  static POINT Centre(int row, int col) { return POINT{25 + 50 * col, 10 + 20 * row}; }
  static OleDataBlocks Text(const CString& text) {
    return {{CF_UNICODETEXT, MakeTextBlock(CF_UNICODETEXT, text)}, {CF_TEXT, MakeTextBlock(CF_TEXT, text)}};
  }
  SSimulatedDrop DropOn(int row, int col, const OleDataBlocks& blocks, DWORD keys = 0) {
    return SimulateOleDrop(grid.get(), blocks, Centre(row, col), keys);
  }
};

TEST_F(GridDragTest, OutsideTextDroppedOnACellIsPastedFromThereAndTheHighlightGoes) {
  const SSimulatedDrop drop = DropOn(2, 1, Text(u"a,b\r\nc"));
  EXPECT_EQ(drop.over, DROPEFFECT_MOVE);
  EXPECT_EQ(drop.dropped, DROPEFFECT_MOVE);
  EXPECT_EQ(grid->GetCellText(2, 1), CString(u"a"));
  EXPECT_EQ(grid->GetCellText(2, 2), CString(u"b"));
  EXPECT_EQ(grid->GetCellText(3, 1), CString(u"c"));
  EXPECT_EQ(grid->GetCellState(2, 1) & GCS_DROPHILITED, 0u);
  EXPECT_EQ(grid->GetMouseMode(), 0);
  EXPECT_EQ(grid->GetSelectedCount(), 0) << "a drop selects nothing";
}

TEST_F(GridDragTest, TheEffectIsCopyWithControlAndNothingOverReadOnlyOrFixedCells) {
  EXPECT_EQ(DropOn(3, 2, Text(u"x"), MK_CONTROL).over, DROPEFFECT_COPY);
  EXPECT_EQ(grid->GetCellText(3, 2), CString(u"x"));

  grid->SetCellState(4, 1, grid->GetCellState(4, 1) | GCS_READONLY);
  EXPECT_EQ(DropOn(4, 1, Text(u"y")).over, DROPEFFECT_NONE);
  EXPECT_EQ(grid->GetCellText(4, 1), CString());
  EXPECT_EQ(DropOn(0, 2, Text(u"y")).over, DROPEFFECT_NONE) << "a heading cell";
  EXPECT_EQ(grid->GetCellText(0, 2), CString());

  grid->SetEditable(FALSE);
  EXPECT_EQ(DropOn(3, 3, Text(u"z")).over, DROPEFFECT_NONE);
  grid->SetEditable(TRUE);
  grid->SetDragAndDrop(FALSE);
  EXPECT_EQ(DropOn(3, 3, Text(u"z")).over, DROPEFFECT_NONE);
  EXPECT_EQ(grid->GetCellText(3, 3), CString());
}

TEST_F(GridDragTest, EightBitTextAloneIsReadAsWindows1252) {
  const OleDataBlocks ansiOnly{{CF_TEXT, std::vector<BYTE>{0x80, 0xE4, 0x00}}};
  EXPECT_EQ(DropOn(1, 1, ansiOnly).dropped, DROPEFFECT_MOVE);
  EXPECT_EQ(grid->GetCellText(1, 1), CString(u"\u20AC\u00E4"));
}

TEST_F(GridDragTest, TheDropTargetAnswersOnlyForItsGridsWindow) {
  CCellGridDropTarget target;
  EXPECT_FALSE(target.Register(&host)) << "not a grid";
  CCellGrid other;
  ASSERT_TRUE(other.Create(CRect(0, 0, 10, 10), &host, 101, WS_CHILD));
  ASSERT_TRUE(target.Register(&other));
  EXPECT_EQ(target.OnDragScroll(&other, MK_CONTROL, CPoint(1, 1)), DROPEFFECT_COPY);
  EXPECT_EQ(target.OnDragScroll(&other, 0, CPoint(1, 1)), DROPEFFECT_MOVE);
  EXPECT_EQ(target.OnDragScroll(grid.get(), 0, CPoint(1, 1)), DROPEFFECT_NONE);
  COleDataObject data;
  data.Attach(Text(u"t"));
  EXPECT_EQ(target.OnDragEnter(grid.get(), &data, 0, CPoint(60, 45)), DROPEFFECT_NONE);
  EXPECT_FALSE(target.OnDrop(grid.get(), &data, DROPEFFECT_MOVE, CPoint(60, 45)));
  target.Revoke();
  other.DestroyWindow();
}

// A second grid beside the first takes the drags started in the first.
class GridDragBetweenGridsTest : public GridDragTest {
 protected:
  void SetUp() override {
    GridDragTest::SetUp();
    ASSERT_TRUE(target.Create(CRect(0, 0, 200, 120), &host, 101, WS_CHILD | WS_VISIBLE));
    target.SetRowCount(6);
    target.SetColumnCount(4);
    target.SetFixedRowCount(1);
    target.SetFixedColumnCount(1);
    Shape(target);
    grid->SetCellText(2, 1, u"p");
    grid->SetCellText(2, 2, u"q");
    grid->SetSelectedRange(2, 1, 2, 2);
    host.notices.clear();
  }
  void TearDown() override {
    target.DestroyWindow();
    GridDragTest::TearDown();
  }
  CScriptedAnswers answers;
  CCellGrid target;
};

TEST_F(GridDragBetweenGridsTest, AMoveEmptiesTheDraggedCellsAndACopyKeepsThem) {
  answers.AddDragDropAnswer(&target, Centre(3, 1), MK_CONTROL);
  grid->OnBeginDrag();
  ASSERT_FALSE(host.notices.empty());
  EXPECT_EQ(host.notices.front(), (SNotice{GRIDN_BEGINDRAG, 2, 1}));
  EXPECT_EQ(grid->GetMouseMode(), 12);
  EXPECT_EQ(target.GetCellText(3, 1), CString(u"p"));
  EXPECT_EQ(target.GetCellText(3, 2), CString(u"q"));
  EXPECT_EQ(grid->GetCellText(2, 1), CString(u"p")) << "copied";

  answers.AddDragDropAnswer(&target, Centre(4, 2), 0);
  grid->OnBeginDrag();
  EXPECT_EQ(target.GetCellText(4, 2), CString(u"p"));
  EXPECT_EQ(target.GetCellText(4, 3), CString(u"q"));
  EXPECT_EQ(grid->GetCellText(2, 1), CString()) << "moved";
  EXPECT_EQ(grid->GetCellText(2, 2), CString());
}

TEST_F(GridDragBetweenGridsTest, NoDropOnAReadOnlyCellAndNoDragWithoutSelectionOrDragAndDrop) {
  target.SetCellState(3, 1, target.GetCellState(3, 1) | GCS_READONLY);
  answers.AddDragDropAnswer(&target, Centre(3, 1), 0);
  grid->OnBeginDrag();
  EXPECT_EQ(target.GetCellText(3, 1), CString());
  EXPECT_EQ(grid->GetCellText(2, 1), CString(u"p")) << "a refused drop moves nothing";

  grid->SetDragAndDrop(FALSE);
  grid->OnBeginDrag();
  grid->SetDragAndDrop(TRUE);
  grid->ClearSelection();
  grid->OnBeginDrag();
  EXPECT_EQ(answers.GetDragDropCount(), 1) << "no drag started";
}

}  // namespace
