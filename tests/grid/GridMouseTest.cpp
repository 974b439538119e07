#include <gtest/gtest.h>

#include "platform/ui/Cursor.h"
#include "platform/ui/ToolTipCtrl.h"
#include "tests/grid/GridEditFixture.h"

namespace {

// Columns 60 pixels wide and rows 20 high: the cell (r, c) starts at (60c, 20r).
class GridMouse : public EditableGrid {
 protected:
  void SetUp() override {
    EditableGrid::SetUp();
    for (int c = 0; c < grid->GetColumnCount(); ++c) grid->SetColumnWidth(c, 60);
    for (int r = 0; r < grid->GetRowCount(); ++r) grid->SetRowHeight(r, 20);
    host.notices.clear();
  }
  void Mouse(SimulatedMouseAction action, CPoint point, UINT modifiers = 0) {
    if (action == SimulatedMouseAction::Press || action == SimulatedMouseAction::DoubleClick) held = MK_LBUTTON;
    if (action == SimulatedMouseAction::Release) held = 0;
    SimulateMouse(grid.get(), action, VK_LBUTTON, point, modifiers, held);
    PumpMessages();
  }
  UINT held = 0;
};

TEST_F(GridMouse, APressAndItsReleaseNotifyInTheirOrder) {
  Mouse(SimulatedMouseAction::Press, CPoint(150, 50));
  EXPECT_EQ(host.notices, (std::vector<SNotice>{{GRIDN_FOCUSCHANGED, 2, 2},
                                                {GRIDN_SELCHANGING, 2, 2},
                                                {GRIDN_SELCHANGING, 2, 2}}));
  host.notices.clear();
  Mouse(SimulatedMouseAction::Release, CPoint(150, 50));
  EXPECT_EQ(host.notices, (std::vector<SNotice>{{GRIDN_SELCHANGED, 2, 2}, {GRIDN_CLICK, 2, 2}, {int(WM_COMMAND), 100, 0}}));
  EXPECT_EQ(grid->GetMouseMode(), 0);
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(GridMouse, DraggingOverCellsSelectsTheBlock) {
  Mouse(SimulatedMouseAction::Press, CPoint(70, 30));
  Mouse(SimulatedMouseAction::Move, CPoint(190, 70));
  Mouse(SimulatedMouseAction::Release, CPoint(190, 70));
  EXPECT_EQ(grid->GetSelectedCellRange(), CCellBlock(1, 1, 3, 3));
  EXPECT_EQ(grid->GetFocusCell(), CCellAddr(3, 3));
}

TEST_F(GridMouse, ReleasingAPressOnTheFocusCellsTextOpensTheEditor) {
  grid->SetFocusCell(2, 2);
  Mouse(SimulatedMouseAction::Press, CPoint(150, 50));
  EXPECT_EQ(grid->GetMouseMode(), 10);
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
  Mouse(SimulatedMouseAction::Release, CPoint(150, 50));
  CCellEdit* editor = EditorOf(2, 2);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(SelectionOf(editor), std::make_pair(4, 4));
  // An arrow moves the caret in an edit opened by the mouse.
  Press(VK_LEFT);
  EXPECT_EQ(EditorOf(2, 2), editor);
}

TEST_F(GridMouse, AMoveAfterSuchAPressClearsSelectionAndFocusOnReleaseWithoutDragAndDrop) {
  grid->SetFocusCell(2, 2);
  grid->SetSelectedRange(2, 2, 3, 3);
  Mouse(SimulatedMouseAction::Press, CPoint(150, 50));
  Mouse(SimulatedMouseAction::Move, CPoint(151, 50));
  EXPECT_EQ(grid->GetMouseMode(), 11);
  host.notices.clear();
  Mouse(SimulatedMouseAction::Release, CPoint(151, 50));
  EXPECT_EQ(EditorOf(2, 2), nullptr);
  EXPECT_EQ(grid->GetSelectedCount(), 0);
  EXPECT_EQ(grid->GetFocusCell(), CCellAddr(-1, -1));
  EXPECT_EQ(host.notices, (std::vector<SNotice>{{GRIDN_CLICK, 2, 2},
                                                {GRIDN_SELCHANGING, 2, 2},
                                                {GRIDN_FOCUSCHANGED, -1, -1},
                                                {GRIDN_SELCHANGED, -1, -1},
                                                {int(WM_COMMAND), 100, 0}}));
}

TEST_F(GridMouse, APressOnASelectedCellWithDragAndDropWaitsForAMove) {
  grid->SetDragAndDrop(TRUE);
  grid->SetSelectedRange(2, 2, 3, 3);
  Mouse(SimulatedMouseAction::Press, CPoint(190, 70));
  EXPECT_EQ(grid->GetMouseMode(), 11);
  EXPECT_EQ(grid->GetFocusCell(), CCellAddr(3, 3));
  Mouse(SimulatedMouseAction::Release, CPoint(190, 70));
  EXPECT_EQ(grid->GetSelectedCount(), 0);
  // Control with a press on a selected cell takes the cell out of the selection instead.
  grid->SetSelectedRange(2, 2, 3, 3);
  Mouse(SimulatedMouseAction::Press, CPoint(190, 70), MK_CONTROL);
  EXPECT_EQ(grid->GetSelectedCount(), 3);
  Mouse(SimulatedMouseAction::Release, CPoint(190, 70), MK_CONTROL);
}

TEST_F(GridMouse, DraggingAColumnBorderSizesTheColumn) {
  struct SCase {
    BOOL zeroAllowed;
    int releaseX;
    int width;
  };
  const SCase cases[] = {{TRUE, 200, 80}, {TRUE, 100, 0}, {FALSE, 100, 1}};
  for (const SCase& c : cases) {
    grid->SetColumnWidth(2, 60);
    grid->SetAllowZeroWidth(c.zeroAllowed);
    Mouse(SimulatedMouseAction::Move, CPoint(179, 10));  // the right border of column 2
    EXPECT_EQ(grid->GetMouseMode(), 8);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_SIZEWE));
    Mouse(SimulatedMouseAction::Press, CPoint(179, 10));
    EXPECT_EQ(grid->GetMouseMode(), 9);
    RECT clip{};
    ASSERT_TRUE(GetClipCursor(&clip));
    CRect expected(121, 0, 121 + 500 - 60, 300);
    grid->ClientToScreen(expected);
    EXPECT_EQ(CRect(clip), expected);
    Mouse(SimulatedMouseAction::Move, CPoint(c.releaseX, 10));
    Mouse(SimulatedMouseAction::Release, CPoint(c.releaseX, 10));
    EXPECT_EQ(grid->GetColumnWidth(2), c.width) << c.releaseX;
    EXPECT_FALSE(GetClipCursor(&clip));
    Mouse(SimulatedMouseAction::Move, CPoint(300, 200));
  }
}

TEST_F(GridMouse, DraggingARowBorderSizesTheRowAndNearItsTopTheRowAbove) {
  Mouse(SimulatedMouseAction::Move, CPoint(10, 79));  // the bottom border of row 3
  EXPECT_EQ(grid->GetMouseMode(), 6);
  Mouse(SimulatedMouseAction::Press, CPoint(10, 79));
  EXPECT_EQ(grid->GetMouseMode(), 7);
  Mouse(SimulatedMouseAction::Release, CPoint(10, 100));
  EXPECT_EQ(grid->GetRowHeight(3), 40);
  Mouse(SimulatedMouseAction::Move, CPoint(10, 101));  // the top border of row 4
  Mouse(SimulatedMouseAction::Press, CPoint(10, 101));
  Mouse(SimulatedMouseAction::Release, CPoint(10, 90));
  EXPECT_EQ(grid->GetRowHeight(3), 30);
  EXPECT_EQ(grid->GetRowHeight(4), 20);
}

TEST_F(GridMouse, ADoubleClickOnAColumnBorderAutoSizesTheColumnLeftOfIt) {
  grid->SetColumnWidth(1, 10);
  Mouse(SimulatedMouseAction::Move, CPoint(71, 10));  // column 2's left edge lies at 70
  ASSERT_EQ(grid->GetMouseMode(), 8);
  // The first click of the pair sizes nothing; the pointer still rests on the border after it.
  Mouse(SimulatedMouseAction::Press, CPoint(71, 10));
  Mouse(SimulatedMouseAction::Release, CPoint(71, 10));
  EXPECT_EQ(grid->GetColumnWidth(1), 10);
  ASSERT_EQ(grid->GetMouseMode(), 8);
  Mouse(SimulatedMouseAction::DoubleClick, CPoint(71, 10));
  Mouse(SimulatedMouseAction::Release, CPoint(71, 10));
  EXPECT_GT(grid->GetColumnWidth(1), 10);
  EXPECT_EQ(grid->GetColumnWidth(2), 60);
}

TEST_F(GridMouse, ADoubleClickOnACellsTextEditsItAndNotifies) {
  Mouse(SimulatedMouseAction::Press, CPoint(150, 50));
  Mouse(SimulatedMouseAction::Release, CPoint(150, 50));
  host.notices.clear();
  Mouse(SimulatedMouseAction::DoubleClick, CPoint(150, 50));
  ASSERT_NE(EditorOf(2, 2), nullptr);
  EXPECT_EQ(host.notices.back(), (SNotice{GRIDN_DBLCLK, 2, 2}));
}

TEST_F(GridMouse, HoldingThePointerBelowTheGridMovesTheFocusDownEachTick) {
  for (int r = 0; r < grid->GetRowCount(); ++r) grid->SetRowHeight(r, 50);
  Mouse(SimulatedMouseAction::Press, CPoint(150, 60));
  ASSERT_EQ(grid->GetFocusCell(), CCellAddr(1, 2));
  Mouse(SimulatedMouseAction::Move, CPoint(150, 340));
  grid->SendMessage(WM_TIMER, 513);
  EXPECT_EQ(grid->GetFocusCell(), CCellAddr(2, 2));
  grid->SendMessage(WM_TIMER, 513);
  EXPECT_EQ(grid->GetFocusCell(), CCellAddr(3, 2));
  EXPECT_TRUE(grid->IsCellSelected(3, 2));
  Mouse(SimulatedMouseAction::Release, CPoint(150, 340));
}

TEST_F(GridMouse, TheRightButtonFocusesAndNotifies) {
  SimulateMouse(grid.get(), SimulatedMouseAction::Press, VK_RBUTTON, CPoint(190, 70), 0, MK_RBUTTON);
  EXPECT_EQ(grid->GetFocusCell(), CCellAddr(3, 3));
  EXPECT_EQ(host.notices.back(), (SNotice{GRIDN_RCLICK, 3, 3}));
  SimulateMouse(grid.get(), SimulatedMouseAction::Release, VK_RBUTTON, CPoint(10, 10), 0, 0);
  EXPECT_EQ(grid->GetFocusCell(), CCellAddr(1, 1)) << "a fixed cell focuses the first scrolled one";
  EXPECT_EQ(host.notices.back(), (SNotice{GRIDN_RCLICK, 0, 0}));
  SimulateMouse(grid.get(), SimulatedMouseAction::Press, VK_RBUTTON, CPoint(450, 250), 0, MK_RBUTTON);
  EXPECT_EQ(host.notices.back(), (SNotice{GRIDN_RCLICK, -1, -1}));
}

TEST_F(GridMouse, ASubAreaShowsItsBalloonTipWithTitleAndGoesOffIt) {
  const CRect area(5, 5, 30, 15);
  grid->GetCell(2, 2)->AddSubArea(&area, u"Peak", u"the highest load");
  grid->GetCell(3, 1)->AddSubArea(nullptr, u"Whole", u"the whole cell");
  CToolTipCtrl* tips = grid->GetToolTip();
  ASSERT_NE(tips, nullptr);
  Mouse(SimulatedMouseAction::Move, CPoint(130, 50));
  EXPECT_EQ(grid->GetTipRect(), CRect(125, 45, 150, 55));
  EXPECT_EQ(grid->GetTipTitle(), CString(u"Peak"));
  EXPECT_EQ(tips->GetShownText(), CString(u"the highest load"));
  EXPECT_EQ(tips->GetTitle(), CString(u"Peak"));
  EXPECT_EQ(tips->GetTitleIcon(), TTI_INFO);
  EXPECT_EQ(tips->GetDelayTime(TTDT_AUTOPOP), 30000);
  EXPECT_EQ(tips->GetDelayTime(TTDT_INITIAL), 500);
  EXPECT_TRUE(tips->GetStyle() & TTS_BALLOON);
  Mouse(SimulatedMouseAction::Move, CPoint(160, 50));  // the same cell, off its area
  EXPECT_EQ(grid->GetTipText(), CString());
  EXPECT_EQ(tips->GetShownText(), CString());
  EXPECT_EQ(tips->GetToolCount(), 0);
  Mouse(SimulatedMouseAction::Move, CPoint(100, 70));
  EXPECT_EQ(grid->GetTipRect(), CRect(60, 60, 120, 80));
  EXPECT_EQ(tips->GetShownText(), CString(u"the whole cell"));
  grid->HideSubAreaTip();
  EXPECT_EQ(tips->GetShownText(), CString());
}

TEST_F(GridMouse, TheGridAsksForArrowsCharactersAndTabUnlessControlIsHeld) {
  EXPECT_EQ(grid->SendMessage(WM_GETDLGCODE), LRESULT(DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB));
  grid->SetHandleTabKey(FALSE);
  EXPECT_EQ(grid->SendMessage(WM_GETDLGCODE), LRESULT(DLGC_WANTARROWS | DLGC_WANTCHARS));
}

}  // namespace
