#include <gtest/gtest.h>

#include "tests/grid/org/OrgGridFixture.h"

namespace {

TEST(OrgColumnOrder, AMovedColumnTakesItsCellsAndWidth) {
  CUiApplication application;
  CCellGridOrg grid(3, 5, 1, 1);
  for (int c = 0; c < 5; ++c) {
    CString text;
    text.Format(u"c%d", c);
    grid.SetCellText(1, c, text);
    grid.SetColumnWidth(c, 10 * (c + 1));
  }
  EXPECT_TRUE(grid.MoveColumn(1, 3));
  EXPECT_EQ(grid.GetColumnOrder(), (std::vector<int>{0, 2, 3, 1, 4}));
  EXPECT_EQ(grid.GetCellText(1, 3), CString(u"c1"));
  EXPECT_EQ(grid.GetColumnWidth(3), 20);
  EXPECT_EQ(grid.GetColumnWidth(1), 30);
  EXPECT_FALSE(grid.MoveColumn(2, 2));
  EXPECT_FALSE(grid.MoveColumn(0, 2));
}

class OrgRowOrder : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.SetVirtualMode(TRUE);
    grid.SetRowCount(5);
    grid.SetColumnCount(2);
  }
  CUiApplication application;
  CCellGridOrg grid;
};

TEST_F(OrgRowOrder, ARowGoesBelowTheRowItIsDroppedOn) {
  EXPECT_TRUE(grid.MoveRowOrderEntry(4, 1));
  EXPECT_EQ(grid.GetRowOrder(), (std::vector<int>{0, 1, 4, 2, 3}));
  EXPECT_TRUE(grid.MoveRowOrderEntry(1, 3));
  EXPECT_EQ(grid.GetRowOrder(), (std::vector<int>{0, 4, 2, 1, 3}));
}

TEST_F(OrgRowOrder, ARowDroppedOnItselfStaysAndBadPlacesAreRefused) {
  EXPECT_TRUE(grid.MoveRowOrderEntry(2, 2));
  EXPECT_EQ(grid.GetRowOrder(), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_FALSE(grid.MoveRowOrderEntry(5, 1));
  EXPECT_FALSE(grid.MoveRowOrderEntry(1, -1));
  EXPECT_EQ(grid.GetRowOrder(), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(OrgRowOrder, InsertingAndRemovingKeepTheOrderAPermutation) {
  grid.MoveRowOrderEntry(4, 0);
  ASSERT_EQ(grid.GetRowOrder(), (std::vector<int>{0, 4, 1, 2, 3}));
  grid.AdjustRowOrder(2, 1);
  EXPECT_EQ(grid.GetRowOrder(), (std::vector<int>{0, 5, 2, 1, 3, 4}));
  grid.AdjustRowOrder(1, -1);
  EXPECT_EQ(grid.GetRowOrder(), (std::vector<int>{0, 2, 1, 3, 4}));
}

TEST_F(OrgRowOrder, TheRowOrderServesTheDisplayRequests) {
  COrgRecordingHost host;
  ASSERT_TRUE(host.CreateEx(0, nullptr, u"host", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
  CWnd control;
  ASSERT_TRUE(control.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 200, 100), &host, 520));
  CCellGridOrg placed;
  ASSERT_TRUE(placed.SubclassDlgItem(520, &host));
  placed.SetVirtualMode(TRUE);
  placed.SetRowCount(4);
  placed.SetColumnCount(3);
  placed.MoveRowOrderEntry(3, 0);
  placed.MoveColumn(0, 2);
  EXPECT_EQ(placed.GetCellText(1, 2), CString(u"d3.0"));
  EXPECT_EQ(placed.GetCellText(2, 0), CString(u"d1.1"));
  placed.DestroyWindow();
  host.DestroyWindow();
}

}  // namespace
