#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "grid/TextCell.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/ToolTipCtrl.h"
#include "tests/grid/GridEditFixture.h"

namespace {

using GridEdit = EditableGrid;

TEST_F(GridEdit, TypingOnTheFocusCellAsksTheOwnerAndTakesTheTextThroughTheChecks) {
  grid->SetFocusCell(2, 2);
  host.notices.clear();
  Type(u"xy");
  ASSERT_NE(EditorOf(2, 2), nullptr);
  EXPECT_EQ(EditorOf(2, 2)->GetWindowTextString(), CString(u"xy"));
  Press(VK_RETURN, u"\r");
  EXPECT_EQ(EditorOf(2, 2), nullptr);
  EXPECT_EQ(grid->GetCellText(2, 2), CString(u"xy"));
  EXPECT_TRUE(grid->GetCellState(2, 2) & GCS_MODIFIED);
  EXPECT_TRUE(grid->IsModified());
  EXPECT_EQ(Count(GRIDN_BEGINLABELEDIT), 1);
  EXPECT_EQ(Count(GRIDN_ENDLABELEDIT), 1);
  EXPECT_EQ(grid->GetFocusCell(), CCellAddr(2, 2)) << "Return ends the edit where it is";
}

TEST_F(GridEdit, TheOwnersRepliesDecide) {
  struct SCase {
    int code;
    LRESULT reply;
    bool editorOpens;
    const char16_t* text;
    bool modified;
  };
  const SCase cases[] = {
      {GRIDN_BEGINLABELEDIT, -1, false, u"r3c1", false},  // vetoed: no editor at all
      {GRIDN_BEGINLABELEDIT, 1, true, u"k", true},        // zero or positive lets it start
      {GRIDN_ENDLABELEDIT, -1, true, u"r3c1", true},      // the old text back, still marked
      {GRIDN_ENDLABELEDIT, 0, true, u"k", true},
  };
  for (const SCase& c : cases) {
    grid->SetCellText(3, 1, u"r3c1");
    grid->SetCellState(3, 1, 0);
    host.replies = {{c.code, c.reply}};
    grid->SetFocusCell(3, 1);
    grid->BeginCellEdit(3, 1, CPoint(-1, -1), 'k');
    PumpMessages();
    EXPECT_EQ(EditorOf(3, 1) != nullptr, c.editorOpens) << c.code << " " << c.reply;
    grid->StopEditing();
    PumpMessages();
    EXPECT_EQ(grid->GetCellText(3, 1), CString(c.text)) << c.code << " " << c.reply;
    EXPECT_EQ((grid->GetCellState(3, 1) & GCS_MODIFIED) != 0, c.modified) << c.code << " " << c.reply;
  }
}

TEST_F(GridEdit, AnUnchangedTextIsReportedAsSuch) {
  grid->SetCellState(4, 4, 0);
  grid->SetFocusCell(4, 4);
  Press(VK_F2);
  Press(VK_RETURN, u"\r");
  EXPECT_EQ(Count(GRIDN_EDITUNCHANGED), 1);
  EXPECT_EQ(Count(GRIDN_ENDLABELEDIT), 0);
  EXPECT_FALSE(grid->GetCellState(4, 4) & GCS_MODIFIED);
}

TEST_F(GridEdit, ReadOnlyCellsAndReadOnlyGridsAreNotEdited) {
  grid->SetCellState(2, 3, GCS_READONLY);
  grid->BeginCellEdit(2, 3, CPoint(-1, -1), 'a');
  grid->SetEditable(FALSE);
  grid->BeginCellEdit(2, 2, CPoint(-1, -1), 'a');
  grid->BeginCellEdit(0, 0, CPoint(-1, -1), 'a');
  PumpMessages();
  EXPECT_EQ(EditorOf(2, 3), nullptr);
  EXPECT_EQ(EditorOf(2, 2), nullptr);
  EXPECT_TRUE(host.notices.empty()) << "not even -175";
}

TEST_F(GridEdit, ACellOfAColumnRangeIsEditedOverTheWholeRange) {
  grid->SetCellColumnRange(5, 1, 3);
  grid->BeginCellEdit(5, 1, CPoint(-1, -1), VK_RETURN);
  CCellEdit* editor = EditorOf(5, 1);
  ASSERT_NE(editor, nullptr);
  CRect rect, cell;
  editor->GetWindowRect(rect);
  grid->ScreenToClient(rect);
  grid->GetCellRect(5, 1, cell);
  EXPECT_EQ(rect, cell);
  EXPECT_EQ(cell.Width() + 1, grid->GetColumnWidth(1) * 3);
}

TEST_F(GridEdit, TabMovesOnAndEditsTheNextCell) {
  grid->SetFocusCell(2, 4);
  grid->BeginCellEdit(2, 4, CPoint(-1, -1), 't');
  PumpMessages();
  Press(VK_TAB, u"\t");
  EXPECT_EQ(grid->GetCellText(2, 4), CString(u"t"));
  // The last column: Tab wraps to the first scrolled column of the next row.
  EXPECT_EQ(grid->GetFocusCell(), CCellAddr(3, 1));
  CCellEdit* next = EditorOf(3, 1);
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(SelectionOf(next), std::make_pair(0, 4));
}

TEST_F(GridEdit, F2OpensTheEditorWithTheCaretAfterTheTextAndTypesNothing) {
  grid->SetFocusCell(2, 1);
  Press(VK_F2);
  CCellEdit* editor = EditorOf(2, 1);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->GetWindowTextString(), CString(u"r2c1"));
  EXPECT_EQ(SelectionOf(editor), std::make_pair(4, 4));
}

// Each of these changes moves or removes cells; the open editor reports into its own cell first.
TEST_F(GridEdit, ChangesThatMoveCellsEndTheEditFirst) {
  struct SCase {
    const char* name;
    std::function<void(CCellGrid&)> change;
  };
  const SCase cases[] = {
      {"fewer rows", [](CCellGrid& g) { g.SetRowCount(2); }},
      {"fewer columns", [](CCellGrid& g) { g.SetColumnCount(2); }},
      {"more rows", [](CCellGrid& g) { g.SetRowCount(20); }},
      {"all cells removed", [](CCellGrid& g) { g.RemoveAllCells(); }},
      {"cell type", [](CCellGrid& g) { g.SetCellType(3, 2, RUNTIME_CLASS(CTextCell)); }},
      {"sort", [](CCellGrid& g) { g.SortByColumn(2, FALSE); }},
  };
  for (const SCase& c : cases) {
    TearDown();
    SetUp();
    grid->SetFocusCell(3, 2);
    grid->BeginCellEdit(3, 2, CPoint(-1, -1), 'e');
    PumpMessages();
    ASSERT_NE(EditorOf(3, 2), nullptr) << c.name;
    host.notices.clear();
    c.change(*grid);
    PumpMessages();
    ASSERT_FALSE(host.notices.empty()) << c.name;
    EXPECT_EQ(host.notices.front(), (SNotice{GRIDN_ENDLABELEDIT, 3, 2})) << c.name;
    EXPECT_EQ(Count(GRIDN_ENDLABELEDIT), 1) << c.name;
    for (int r = 0; r < grid->GetRowCount(); ++r)
      for (int col = 0; col < grid->GetColumnCount(); ++col)
        EXPECT_FALSE(grid->GetCell(r, col)->IsEditing()) << c.name;
  }
}

TEST_F(GridEdit, AnEndOfEditForACellThatIsGoneIsSkipped) {
  grid->FinishCellEdit(50, 50, u"lost");
  grid->FinishCellEdit(-1, 2, u"lost");
  EXPECT_TRUE(host.notices.empty());
}

// The framework's paste command, as a menu or an accelerator sends it to the grid.
constexpr UINT kPasteCommand = 57637;

TEST_F(GridEdit, APasteWhileEditingGoesIntoTheEditorAndNoOtherCell) {
  const CString clip = u"5,6";
  std::vector<BYTE> block((std::size_t(clip.GetLength()) + 1) * 2, 0);
  std::copy_n(reinterpret_cast<const BYTE*>(clip.GetString()), std::size_t(clip.GetLength()) * 2,
              block.begin());
  ASSERT_TRUE(OpenClipboard(grid.get()));
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
  grid->SetFocusCell(2, 2);
  grid->SetSelectedRange(2, 2, 2, 2);
  Type(u"ab");
  CCellEdit* editor = EditorOf(2, 2);
  ASSERT_NE(editor, nullptr);
  host.notices.clear();
  grid->SendMessage(WM_COMMAND, kPasteCommand);
  PumpMessages();
  EXPECT_EQ(editor->GetWindowTextString(), CString(u"ab5,6"));
  EXPECT_EQ(grid->GetCellText(2, 3), CString(u"r2c3"));
  EXPECT_TRUE(host.notices.empty()) << "no cell was written";
  Press(VK_RETURN, u"\r");
  EXPECT_EQ(grid->GetCellText(2, 2), CString(u"ab5,6"));
}

// Rows of 60 and columns of 150 pixels under a heading row of 20, more than the 500 x 300 grid
// shows, scrolled by pixels as the measurement page scrolls. Cell (3, 1) starts at (150, 140).
class ScrolledGridEdit : public EditableGrid {
 protected:
  void SetUp() override {
    EditableGrid::SetUp();
    grid->SetWholeRowScrolling(FALSE);
    grid->SetRowHeight(0, 20);
    for (int r = 1; r < grid->GetRowCount(); ++r) grid->SetRowHeight(r, 60);
    for (int c = 0; c < grid->GetColumnCount(); ++c) grid->SetColumnWidth(c, 150);
    host.notices.clear();
  }
};

// The rows would move under the editor, which stayed where it was over another test while its
// text still went to the cell it was opened for.
TEST_F(ScrolledGridEdit, EveryScrollFirstEndsTheEditInItsCellAndHidesTheTip) {
  struct SCase {
    const char* name;
    std::function<void(CCellGrid&)> scroll;
  };
  const SCase cases[] = {
      {"wheel", [](CCellGrid& g) { SimulateWheel(&g, -120, CPoint(60, 100), 0); }},
      {"line down", [](CCellGrid& g) { SimulateScrollBar(&g, SB_VERT, SB_LINEDOWN); }},
      {"thumb", [](CCellGrid& g) { SimulateScrollBar(&g, SB_VERT, SB_THUMBTRACK, 50); }},
      {"line right", [](CCellGrid& g) { SimulateScrollBar(&g, SB_HORZ, SB_LINERIGHT); }},
      {"end of scroll", [](CCellGrid& g) { g.SendMessage(WM_VSCROLL, SB_ENDSCROLL); }},
  };
  for (const SCase& c : cases) {
    TearDown();
    SetUp();
    const CRect area(5, 5, 30, 15);
    grid->GetCell(3, 2)->AddSubArea(&area, u"Peak", u"the highest load");
    SimulateMouse(grid.get(), SimulatedMouseAction::Move, VK_LBUTTON, CPoint(310, 150), 0, 0);
    PumpMessages();
    ASSERT_EQ(grid->GetTipTitle(), CString(u"Peak")) << c.name;
    grid->SetFocusCell(3, 1);
    Type(u"42");
    ASSERT_NE(EditorOf(3, 1), nullptr) << c.name;
    host.notices.clear();
    c.scroll(*grid);
    PumpMessages();
    EXPECT_EQ(EditorOf(3, 1), nullptr) << c.name;
    EXPECT_FALSE(grid->GetCell(3, 1)->IsEditing()) << c.name;
    EXPECT_EQ(grid->GetCellText(3, 1), CString(u"42")) << c.name;
    const SNotice first = host.notices.empty() ? SNotice{0, -1, -1} : host.notices.front();
    EXPECT_EQ(first, (SNotice{GRIDN_ENDLABELEDIT, 3, 1})) << c.name;
    EXPECT_EQ(grid->GetTipTitle(), CString()) << c.name;
    EXPECT_EQ(grid->GetToolTip()->GetShownText(), CString()) << c.name;
  }
}

}  // namespace
