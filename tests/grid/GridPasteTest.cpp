#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/Clipboard.h"
#include "tests/grid/GridFixture.h"

namespace {

// A 4 x 3 grid under one heading row, every cell holding "old".
class GridToPasteInto : public GridOnScreen {
 protected:
  void SetUp() override {
    Make(4, 3, 1, 0);
    for (int r = 1; r < 4; ++r)
      for (int c = 0; c < 3; ++c) grid->SetCellText(r, c, u"old");
  }
  void PutOnClipboard(const CString& text) {
    std::vector<BYTE> block((std::size_t(text.GetLength()) + 1) * 2, 0);
    std::copy_n(reinterpret_cast<const BYTE*>(text.GetString()), std::size_t(text.GetLength()) * 2,
                block.begin());
    ASSERT_TRUE(OpenClipboard(grid.get()));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
  }
};

TEST_F(GridToPasteInto, PasteFillsFromTheSelectedBlockAndSelectsWhatItWrote) {
  grid->SetSelectedRange(2, 1, 3, 2);
  PutOnClipboard(u"x,\u0436\r\ny\r\n");
  grid->OnEditPaste();
  EXPECT_EQ(grid->GetCellText(2, 1), CString(u"x"));
  EXPECT_EQ(grid->GetCellText(2, 2), CString(u"\u0436"));
  EXPECT_EQ(grid->GetCellText(3, 1), CString(u"y"));
  EXPECT_EQ(grid->GetCellText(3, 2), CString(u"old"));
  EXPECT_EQ(grid->GetSelectedCellRange(), CCellBlock(2, 1, 3, 2));
  EXPECT_TRUE(grid->IsModified());
}

TEST_F(GridToPasteInto, EachChangedCellPassesTheEditChecks) {
  host.notices.clear();
  ASSERT_TRUE(grid->PasteText(1, 0, u"old,new", FALSE));
  const std::vector<SNotice> expected = {
      {GRIDN_BEGINLABELEDIT, 1, 0}, {GRIDN_BEGINLABELEDIT, 1, 1}, {GRIDN_ENDLABELEDIT, 1, 1}};
  EXPECT_EQ(host.notices, expected);
  EXPECT_EQ(grid->GetSelectedCount(), 0);
}

TEST_F(GridToPasteInto, ReadOnlyTargetsAndReadOnlyGridsRefuse) {
  grid->SetCellState(1, 0, grid->GetCellState(1, 0) | GCS_READONLY);
  EXPECT_FALSE(grid->PasteText(1, 0, u"x", TRUE));
  EXPECT_FALSE(grid->PasteText(9, 0, u"x", TRUE));
  grid->SetEditable(FALSE);
  EXPECT_FALSE(grid->PasteText(2, 0, u"x", TRUE));
  EXPECT_EQ(grid->GetCellText(2, 0), CString(u"old"));
}

TEST_F(GridToPasteInto, ClearEmptiesTheSelectedCells) {
  grid->SetSelectedRange(1, 1, 2, 1);
  grid->ClearSelectedCells();
  EXPECT_EQ(grid->GetCellText(1, 1), CString());
  EXPECT_EQ(grid->GetCellText(2, 1), CString());
  EXPECT_EQ(grid->GetCellText(1, 0), CString(u"old"));
}

// An owner that vetoes every edit or every end of edit.
class VetoingHost : public CRecordingHost {
 public:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    CRecordingHost::OnNotify(wParam, lParam, result);
    if (reinterpret_cast<const NMHDR*>(lParam)->code == vetoed) *result = -1;
    return TRUE;
  }
  int vetoed = 0;
};

TEST(GridEditChecks, AVetoOrANegativeEndLeavesTheOldText) {
  CUiApplication application;
  VetoingHost host;
  ASSERT_TRUE(host.CreateEx(0, nullptr, u"host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
  CCellGrid grid;
  ASSERT_TRUE(grid.Create(CRect(0, 0, 300, 200), &host, 100, WS_CHILD | WS_VISIBLE));
  grid.SetRowCount(2);
  grid.SetColumnCount(1);
  grid.SetCellText(1, 0, u"old");
  for (int code : {GRIDN_BEGINLABELEDIT, GRIDN_ENDLABELEDIT}) {
    host.vetoed = code;
    grid.ValidateAndSetCellText(1, 0, u"new");
    EXPECT_EQ(grid.GetCellText(1, 0), CString(u"old")) << code;
  }
  grid.DestroyWindow();
  host.DestroyWindow();
}

}  // namespace
