#include <gtest/gtest.h>

#include "tests/grid/GridEditFixture.h"

namespace {

using GridKeys = EditableGrid;

TEST_F(GridKeys, AKeyMoveNotifiesInItsOrder) {
  grid->SetFocusCell(2, 2);
  host.notices.clear();
  Press(VK_DOWN);
  EXPECT_EQ(host.notices, (std::vector<SNotice>{{GRIDN_SELCHANGING, 3, 2},
                                                {GRIDN_SELCHANGING, 3, 2},
                                                {GRIDN_SELCHANGED, 3, 2},
                                                {GRIDN_FOCUSCHANGED, 3, 2}}));
  EXPECT_EQ(grid->GetSelectedCellRange(), CCellBlock(3, 2, 3, 2));
  Press(VK_RIGHT, CString(), MK_SHIFT);
  EXPECT_EQ(grid->GetSelectedCellRange(), CCellBlock(3, 2, 3, 3)) << "Shift keeps the anchor";
}

TEST_F(GridKeys, TheKeyTableSkipsHiddenColumnsAndRowsAndWrapsTab) {
  grid->SetColumnWidth(3, 0);
  grid->SetRowHeight(4, 0);
  struct SCase {
    CCellAddr from;
    UINT key;
    UINT modifiers;
    CCellAddr to;
  };
  const SCase cases[] = {
      {{2, 2}, VK_RIGHT, 0, {2, 4}},          // over the hidden column
      {{2, 4}, VK_RIGHT, 0, {2, 4}},          // none further right: stays
      {{2, 1}, VK_LEFT, 0, {2, 1}},           // the fixed column is never reached
      {{3, 2}, VK_DOWN, 0, {5, 2}},           // over the hidden row
      {{1, 2}, VK_UP, 0, {1, 2}},
      {{2, 4}, VK_TAB, 0, {3, 1}},            // the last column wraps to the next row
      {{3, 4}, VK_TAB, 0, {5, 1}},            // to the next visible row
      {{7, 4}, VK_TAB, 0, {7, 4}},            // the last cell of the last row: no wrap
      {{3, 1}, VK_TAB, MK_SHIFT, {2, 4}},     // back to the last column of the row above
      {{5, 2}, VK_TAB, MK_SHIFT, {5, 1}},
      {{1, 1}, VK_TAB, MK_SHIFT, {1, 1}},
      {{2, 2}, VK_HOME, 0, {2, 1}},
      {{6, 2}, VK_HOME, MK_CONTROL, {1, 1}},
      {{2, 2}, VK_END, 0, {2, 4}},
      {{2, 2}, VK_END, MK_CONTROL, {7, 4}},
      {{2, 2}, VK_NEXT, 0, {7, 2}},           // nothing scrolls: the last row
      {{6, 2}, VK_PRIOR, 0, {1, 2}},          // nothing scrolls: the first scrolled row
  };
  for (const SCase& c : cases) {
    grid->SetFocusCell(c.from);
    Press(c.key, CString(), c.modifiers);
    EXPECT_EQ(grid->GetFocusCell(), c.to) << "key " << c.key << " from " << c.from.row << "," << c.from.col;
  }
}

TEST_F(GridKeys, EndAndControlEndStayInsideAGridWithOneScrolledRowAndColumn) {
  TearDown();
  Make(2, 2, 1, 1);
  grid->SetFocus();
  grid->SetFocusCell(1, 1);
  for (UINT modifiers : {0u, UINT(MK_CONTROL)}) {
    Press(VK_END, CString(), modifiers);
    EXPECT_EQ(grid->GetFocusCell(), CCellAddr(1, 1));
  }
  TearDown();
  Make(30, 2, 1, 1);
  grid->SetFocus();
  grid->SetFocusCell(1, 1);
  Press(VK_END, CString(), MK_CONTROL);
  EXPECT_EQ(grid->GetFocusCell(), CCellAddr(29, 1));
  EXPECT_TRUE(grid->IsCellVisible(29, 1));
}

TEST_F(GridKeys, MovingOutOfViewScrollsTheCellIn) {
  TearDown();
  Make(100, 4, 1, 1, 400, 200);
  grid->SetFocus();
  const CCellBlock visible = grid->GetVisibleCellRange();
  grid->SetFocusCell(visible.maxRow, 1);
  Press(VK_DOWN);
  EXPECT_EQ(grid->GetFocusCell(), CCellAddr(visible.maxRow + 1, 1));
  EXPECT_GT(grid->GetTopLeftScrollCell().row, 1);
  Press(VK_HOME, CString(), MK_CONTROL);
  EXPECT_EQ(grid->GetTopLeftScrollCell().row, 1);
  Press(VK_NEXT);
  EXPECT_GT(grid->GetFocusCell().row, 1);
  EXPECT_EQ(grid->GetFocusCell().row - 1, grid->GetTopLeftScrollCell().row - 1);
}

TEST_F(GridKeys, KeyNoticesCarryTheKeyAndItsKind) {
  grid->SetFocusCell(-1, -1);
  host.notices.clear();
  Press('S', u"\x13", MK_CONTROL);
  Press(VK_SPACE, u" ");
  EXPECT_EQ(host.notices, (std::vector<SNotice>{{GRIDN_KEYDOWN, 'S', 2}})) << "Space without a focus cell is not told";
  grid->SetFocusCell(2, 2);
  host.notices.clear();
  grid->SendMessage(WM_KEYDOWN, VK_SPACE);
  grid->SendMessage(WM_KEYDOWN, VK_RETURN);
  grid->SendMessage(WM_KEYDOWN, VK_DELETE);
  EXPECT_EQ(host.notices, (std::vector<SNotice>{{GRIDN_KEYDOWN, 32, 1}, {GRIDN_KEYDOWN, 13, 1}, {GRIDN_KEYDOWN, 46, 1}}));
}

TEST_F(GridKeys, ControlAAndControlCSelectAllAndCopy) {
  grid->SetFocusCell(2, 2);
  Press('A', u"\x01", MK_CONTROL);
  EXPECT_EQ(grid->GetSelectedCount(), 7 * 4);
  EXPECT_EQ(EditorOf(2, 2), nullptr) << "control characters start no edit";
}

TEST_F(GridKeys, EscapeNeverStartsAnEditAndTabOnlyWhenTheGridLeavesTab) {
  grid->SetFocusCell(2, 2);
  Press(VK_ESCAPE, u"\x1b");
  EXPECT_EQ(EditorOf(2, 2), nullptr);
  Press(VK_TAB, u"\t");
  EXPECT_EQ(grid->GetFocusCell(), CCellAddr(2, 3));
  EXPECT_EQ(EditorOf(2, 3), nullptr);
  grid->SetHandleTabKey(FALSE);
  Press(VK_TAB, u"\t");
  EXPECT_NE(EditorOf(2, 4), nullptr);
  grid->StopEditing();
  grid->SendMessage(WM_IME_CHAR, 0x4E2D);
  PumpMessages();
  ASSERT_NE(EditorOf(2, 4), nullptr);
  EXPECT_EQ(EditorOf(2, 4)->GetWindowTextString(), CString(u"\u4E2D"));
}

}  // namespace
