#include <gtest/gtest.h>

#include "tests/grid/GridFixture.h"

namespace {

class VirtualGrid : public GridOnScreen {
 protected:
  void SetUp() override { Make(20, 4, 1, 1, 400, 300, true); }
};

BOOL AnswerFromCallback(GRIDDISPINFO* info, LPARAM data) {
  info->item.text.Format(u"cb%d", int(data));
  return TRUE;
}

TEST_F(VirtualGrid, CellsAreAskedForByDisplayInfo) {
  EXPECT_EQ(grid->GetCell(3, 2)->GetText(), CString(u"V3.2"));
  EXPECT_EQ(grid->GetCell(20, 0), nullptr);
  grid->SetDisplayInfoCallback(&AnswerFromCallback, 7);
  const int asked = host.dispInfoRequests;
  EXPECT_EQ(grid->GetCell(3, 2)->GetText(), CString(u"cb7"));
  EXPECT_EQ(host.dispInfoRequests, asked);
  EXPECT_FALSE(grid->SetCellText(3, 2, u"x"));
}

TEST_F(VirtualGrid, SelectionWorksAsForStoredCells) {
  grid->SetSelectedRange(2, 1, 3, 2);
  EXPECT_EQ(grid->GetSelectedCount(), 4);
  EXPECT_TRUE(grid->IsCellSelected(3, 2));
  EXPECT_FALSE(grid->IsCellSelected(4, 2));
  EXPECT_TRUE(grid->GetCell(2, 1)->GetState() & GCS_SELECTED);
  EXPECT_EQ(grid->GetSelectedCellRange(), CCellBlock(2, 1, 3, 2));
  grid->ClearSelection();
  EXPECT_EQ(grid->GetSelectedCount(), 0);
  EXPECT_FALSE(grid->GetCell(2, 1)->GetState() & GCS_SELECTED);
}

TEST_F(VirtualGrid, APaintIsFramedByCacheHints) {
  host.hints.clear();
  ScreenPixel(0, 0);
  ASSERT_GE(host.hints.size(), 2u);
  EXPECT_EQ(host.hints[0].minRow, 1);
  EXPECT_EQ(host.hints[0].minCol, 1);
  EXPECT_EQ(host.hints.back(), CCellBlock());
}

using Notices = GridOnScreen;

TEST_F(Notices, NoticesGoToTheOwnerWithTheGridsId) {
  Make(3, 3, 1, 1);
  EXPECT_EQ(grid->SendNotification(2, 1, GRIDN_CLICK), 0);
  ASSERT_EQ(host.notices.size(), 1u);
  EXPECT_EQ(host.notices[0], (SNotice{GRIDN_CLICK, 2, 1}));
  CCellGrid unplaced;
  EXPECT_EQ(unplaced.SendNotification(1, 1, GRIDN_CLICK), 0);
}

}  // namespace
