#include <gtest/gtest.h>

#include "tests/grid/GridEditFixture.h"

namespace {

using CellEditor = EditableGrid;

TEST_F(CellEditor, TheFirstCharacterDecidesWhatIsSelectedAndTyped) {
  struct SCase {
    UINT first;
    const char16_t* text;
    std::pair<int, int> selection;
  };
  const SCase cases[] = {
      {'x', u"x", {1, 1}},           // a character replaces the old text
      {VK_RETURN, u"r2c2", {4, 4}},  // Return: the caret after the text
      {VK_LBUTTON, u"r2c2", {4, 4}}, // a click: the same
      {VK_BACK, u"r2c", {3, 3}},     // backspace: at the end, and typed
      {VK_SPACE, u"r2c2", {0, 4}},   // Space, Tab and the navigation keys select, typing nothing
      {VK_TAB, u"r2c2", {0, 4}},
      {VK_DOWN, u"r2c2", {0, 4}},
      {VK_HOME, u"r2c2", {0, 4}},
      {0x00E9, u"\u00E9", {1, 1}},   // above 127: typed as an input-method character
  };
  for (const SCase& c : cases) {
    grid->BeginCellEdit(2, 2, CPoint(-1, -1), c.first);
    PumpMessages();
    CCellEdit* editor = EditorOf(2, 2);
    ASSERT_NE(editor, nullptr) << "first character " << c.first;
    EXPECT_EQ(editor->GetWindowTextString(), CString(c.text)) << "first character " << c.first;
    EXPECT_EQ(SelectionOf(editor), c.selection) << "first character " << c.first;
    editor->SendMessage(WM_CHAR, VK_ESCAPE);
    PumpMessages();
    EXPECT_EQ(EditorOf(2, 2), nullptr);
    EXPECT_EQ(grid->GetCellText(2, 2), CString(u"r2c2"));
  }
}

TEST_F(CellEditor, ArrowsEndAnEditStartedByAKeyButMoveTheCaretInOneStartedByAClick) {
  grid->SetFocusCell(3, 1);
  grid->BeginCellEdit(3, 1, CPoint(5, 5), VK_LBUTTON);
  CCellEdit* editor = EditorOf(3, 1);
  ASSERT_NE(editor, nullptr);
  Press(VK_LEFT);
  ASSERT_EQ(EditorOf(3, 1), editor);
  EXPECT_EQ(SelectionOf(editor), std::make_pair(3, 3));
  Press(VK_RIGHT, CString(), MK_CONTROL);  // Control with an arrow always ends it
  EXPECT_EQ(EditorOf(3, 1), nullptr);
  ASSERT_NE(EditorOf(3, 2), nullptr);
  Press(VK_ESCAPE, u"\x1b");
  ASSERT_EQ(EditorOf(3, 2), nullptr);

  grid->SetFocusCell(3, 1);
  grid->BeginCellEdit(3, 1, CPoint(-1, -1), VK_RETURN);
  ASSERT_NE(EditorOf(3, 1), nullptr);
  host.notices.clear();
  Press(VK_DOWN);
  EXPECT_EQ(EditorOf(3, 1), nullptr);
  // The edit ended by Down moves the focus down and edits the cell there, text selected.
  EXPECT_EQ(grid->GetFocusCell(), CCellAddr(4, 1));
  CCellEdit* next = EditorOf(4, 1);
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(SelectionOf(next), std::make_pair(0, 4));
  EXPECT_EQ(host.notices.front(), (SNotice{GRIDN_EDITUNCHANGED, 3, 1}));
}

TEST_F(CellEditor, EscapePutsTheOldTextBackAndEndsUnchanged) {
  grid->SetFocusCell(2, 3);
  grid->BeginCellEdit(2, 3, CPoint(-1, -1), 'z');
  PumpMessages();
  Type(u"zz");
  EXPECT_EQ(EditorOf(2, 3)->GetWindowTextString(), CString(u"zzz"));
  Press(VK_ESCAPE, u"\x1b");
  EXPECT_EQ(EditorOf(2, 3), nullptr);
  EXPECT_EQ(grid->GetCellText(2, 3), CString(u"r2c3"));
  EXPECT_EQ(Count(GRIDN_EDITUNCHANGED), 1);
  EXPECT_EQ(Count(GRIDN_ENDLABELEDIT), 0);
  EXPECT_EQ(grid->GetFocusCell(), CCellAddr(2, 3)) << "Escape moves nowhere";
}

TEST_F(CellEditor, OneEndNoticeWhenStoppingAndLosingTheFocusBothEndTheEdit) {
  grid->SetFocusCell(1, 1);
  grid->BeginCellEdit(1, 1, CPoint(-1, -1), 'n');
  PumpMessages();
  host.notices.clear();
  grid->StopEditing();
  PumpMessages();
  grid->SetFocus();
  PumpMessages();
  EXPECT_EQ(Count(GRIDN_ENDLABELEDIT), 1);
  EXPECT_EQ(Count(GRIDN_EDITUNCHANGED), 0);
  EXPECT_EQ(grid->GetCellText(1, 1), CString(u"n"));
}

TEST_F(CellEditor, GrowsToTheRightWhileTypingButNotPastTheGrid) {
  grid->SetFocusCell(1, 3);
  grid->BeginCellEdit(1, 3, CPoint(-1, -1), VK_RETURN);
  CCellEdit* editor = EditorOf(1, 3);
  ASSERT_NE(editor, nullptr);
  CRect before;
  editor->GetWindowRect(before);
  Type(u"abcdefghijklmnopqrst");
  CRect after;
  editor->GetWindowRect(after);
  EXPECT_GT(after.Width(), before.Width());
  EXPECT_EQ(after.left, before.left);
  Type(u"abcdefghabcdefghabcdefghabcdefghabcdefghabcdefghabcdefgh");
  editor->GetWindowRect(after);
  grid->ScreenToClient(after);
  CRect client;
  grid->GetClientRect(client);
  EXPECT_EQ(after.right, client.right);
}

TEST_F(CellEditor, TakesTheCellsAlignmentAndIgnoresSystemCharacters) {
  grid->SetCellFormat(2, 2, DT_RIGHT | DT_SINGLELINE);
  grid->BeginCellEdit(2, 2, CPoint(-1, -1), VK_RETURN);
  CCellEdit* editor = EditorOf(2, 2);
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->GetStyle() & ES_RIGHT);
  EXPECT_TRUE(editor->GetStyle() & ES_AUTOHSCROLL);
  EXPECT_EQ(editor->SendMessage(WM_GETDLGCODE), LRESULT(DLGC_WANTALLKEYS));
  MSG sysChar{editor, WM_SYSCHAR, 'f', 0};
  EXPECT_TRUE(editor->PreTranslateMessage(&sysChar));
  MSG plainChar{editor, WM_CHAR, 'f', 0};
  EXPECT_FALSE(editor->PreTranslateMessage(&plainChar));
}

}  // namespace
