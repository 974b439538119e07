#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/Clipboard.h"
#include "platform/ui/CmdUI.h"
#include "tests/grid/GridFixture.h"

namespace {

// The framework's edit commands, which menus and accelerators send to the focused window.
constexpr UINT kCopy = 57634;
constexpr UINT kCut = 57635;
constexpr UINT kPaste = 57637;
constexpr UINT kSelectAll = 57642;

// Records what the grid's update handler of a command says.
class CommandState : public CCmdUI {
 public:
  void Enable(BOOL on) override {
    enabled = on != FALSE;
    m_bEnableChanged = true;
  }
  bool enabled = false;
};

class EditCommands : public GridOnScreen {
 protected:
  void SetUp() override { Make(5, 3, 1, 1); }
  // Whether the grid enables the command; fails the test when the grid does not handle it.
  bool Enabled(UINT id) {
    CommandState state;
    state.m_nID = id;
    EXPECT_TRUE(state.DoUpdate(grid.get())) << id << " has no handler";
    return state.enabled;
  }
  void PutTextOnClipboard() {
    ASSERT_TRUE(OpenClipboard(grid.get()));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, std::vector<BYTE>{'x', 0, 0, 0});
    CloseClipboard();
  }
  void EmptyTheClipboard() {
    ASSERT_TRUE(OpenClipboard(grid.get()));
    EmptyClipboard();
    CloseClipboard();
  }
};

TEST_F(EditCommands, SelectAllIsACommandOfTheGridWhileSelectionIsEnabled) {
  EXPECT_TRUE(Enabled(kSelectAll));
  grid->SendMessage(WM_COMMAND, kSelectAll);
  EXPECT_EQ(grid->GetSelectedCount(), 4 * 2);
  grid->ClearSelection();
  grid->EnableSelection(FALSE);
  EXPECT_FALSE(Enabled(kSelectAll));
}

TEST_F(EditCommands, CopyAndCutNeedASelectionAndCutAnEditableGrid) {
  EXPECT_FALSE(Enabled(kCopy));
  EXPECT_FALSE(Enabled(kCut));
  grid->SetSelectedRange(1, 1, 1, 1);
  EXPECT_TRUE(Enabled(kCopy));
  EXPECT_TRUE(Enabled(kCut));
  grid->SetEditable(FALSE);
  EXPECT_TRUE(Enabled(kCopy));
  EXPECT_FALSE(Enabled(kCut));
}

TEST_F(EditCommands, PasteNeedsAnEditableFocusCellAndTextOnTheClipboard) {
  PutTextOnClipboard();
  EXPECT_FALSE(Enabled(kPaste)) << "no focus cell";
  grid->SetFocusCell(2, 2);
  EXPECT_TRUE(Enabled(kPaste));
  grid->SetCellState(2, 2, grid->GetCellState(2, 2) | GCS_READONLY);
  EXPECT_FALSE(Enabled(kPaste)) << "read-only focus cell";
  grid->SetCellState(2, 2, grid->GetCellState(2, 2) & ~GCS_READONLY);
  grid->SetEditable(FALSE);
  EXPECT_FALSE(Enabled(kPaste)) << "read-only grid";
  grid->SetEditable(TRUE);
  EmptyTheClipboard();
  EXPECT_FALSE(Enabled(kPaste)) << "no text on the clipboard";
}

}  // namespace
