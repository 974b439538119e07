#include <gtest/gtest.h>

#include "tests/grid/org/OrgGridFixture.h"

namespace {

TEST(OrgSelection, NothingSelectedGivesTheCountsAndMinusOne) {
  CUiApplication application;
  CCellGridOrg grid(6, 5, 1, 1);
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellBlock(6, 5, -1, -1));
  grid.SetSelectedRange(2, 2, 3, 4);
  EXPECT_EQ(grid.GetSelectedCount(), 6);
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellBlock(2, 2, 3, 4));
  grid.SetSelectedRange(-1, -1, -1, -1, FALSE, TRUE);
  EXPECT_EQ(grid.GetSelectedCount(), 0);
  EXPECT_FALSE(grid.IsCellSelected(2, 2));
}

TEST(OrgSelection, BlocksStartingInTheFixedAreaAreMovedOutOfIt) {
  CUiApplication application;
  CCellGridOrg grid(6, 5, 2, 1);
  grid.SetSelectedRange(0, 0, 3, 2);
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellBlock(2, 1, 3, 2));
}

TEST(OrgSelection, DeselectingClearsOnlyTheBlock) {
  CUiApplication application;
  CCellGridOrg grid(6, 5, 1, 1);
  grid.SetSelectedRange(1, 1, 4, 4);
  grid.SetSelectedRange(2, 2, 3, 3, FALSE, FALSE);
  EXPECT_EQ(grid.GetSelectedCount(), 12);
  EXPECT_FALSE(grid.IsCellSelected(2, 2));
  EXPECT_TRUE(grid.IsCellSelected(1, 1));
}

TEST(OrgSelection, VirtualModeKeepsItsSelectionInTheSet) {
  CUiApplication application;
  CCellGridOrg grid;
  grid.SetVirtualMode(TRUE);
  grid.SetRowCount(10);
  grid.SetColumnCount(4);
  grid.SetFixedRowCount(1);
  grid.SetSelectedRange(2, 1, 3, 2);
  EXPECT_FALSE(grid.SetCellState(5, 1, GCS_SELECTED));
  EXPECT_TRUE(grid.IsCellSelected(5, 1));
  EXPECT_TRUE(grid.IsCellSelected(3, 2));
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellBlock(2, 1, 5, 2));
  EXPECT_TRUE(grid.GetCell(3, 2)->IsSelected());
}

TEST(OrgSelection, CellsFarApartNeverShareAnEntry) {
  CUiApplication application;
  CCellGridOrg grid;
  grid.SetVirtualMode(TRUE);
  grid.SetRowCount(70000);
  grid.SetColumnCount(2);
  grid.SetSelectedRange(65537, 1, 65537, 1);
  EXPECT_TRUE(grid.IsCellSelected(65537, 1));
  EXPECT_FALSE(grid.IsCellSelected(1, 1));
  grid.SetSelectedRange(1, 1, 1, 1);
  EXPECT_TRUE(grid.IsCellSelected(1, 1));
  EXPECT_FALSE(grid.IsCellSelected(65537, 1));
  EXPECT_EQ(grid.GetSelectedCount(), 1);
}

TEST(OrgSelection, RowsRemovedInVirtualModeLeaveTheSelection) {
  CUiApplication application;
  CCellGridOrg grid;
  grid.SetVirtualMode(TRUE);
  grid.SetRowCount(10);
  grid.SetColumnCount(3);
  grid.SetSelectedRange(2, 1, 8, 2);
  grid.SetRowCount(5);
  EXPECT_EQ(grid.GetSelectedCellRange(), CCellBlock(2, 1, 4, 2));
  EXPECT_EQ(grid.GetSelectedCount(), 6);
}

TEST(OrgSelection, TheFocusCellCarriesTheFocusBitAndLeavesTheFixedArea) {
  CUiApplication application;
  CCellGridOrg grid(6, 5, 1, 1);
  grid.SetFocusCell(0, 0);
  EXPECT_EQ(grid.GetFocusCell(), CCellAddrOrg(1, 1));
  EXPECT_TRUE(grid.GetCell(1, 1)->IsFocused());
  const CCellAddrOrg old = grid.SetFocusCell(3, 2);
  EXPECT_EQ(old, CCellAddrOrg(1, 1));
  EXPECT_FALSE(grid.GetCell(1, 1)->IsFocused());
  EXPECT_TRUE(grid.GetCell(3, 2)->IsFocused());
}

TEST(OrgSelection, FocusInVirtualModeKeepsTheCellSelected) {
  CUiApplication application;
  CCellGridOrg grid;
  grid.SetVirtualMode(TRUE);
  grid.SetRowCount(5);
  grid.SetColumnCount(3);
  grid.SetSelectedRange(2, 1, 2, 1);
  grid.SetFocusCell(2, 1);
  grid.SetFocusCell(3, 1);
  EXPECT_TRUE(grid.IsCellSelected(2, 1));
}

class OrgMouseSelection : public OrgGridOnScreen {
 protected:
  void SetUp() override { Make(10, 6, 1, 1); }
};

TEST_F(OrgMouseSelection, ControlDraggingKeepsTheEarlierSelection) {
  Press(CentreOf(2, 1));
  MoveHeld(CentreOf(3, 2));
  Release(CentreOf(3, 2));
  EXPECT_EQ(grid->GetSelectedCount(), 4);
  Press(CentreOf(6, 4), MK_CONTROL);
  MoveHeld(CentreOf(7, 4), MK_CONTROL);
  Release(CentreOf(7, 4), MK_CONTROL);
  EXPECT_EQ(grid->GetSelectedCount(), 6);
  EXPECT_TRUE(grid->IsCellSelected(2, 1));
  EXPECT_TRUE(grid->IsCellSelected(7, 4));
  Click(CentreOf(5, 5));
  EXPECT_EQ(grid->GetSelectedCount(), 1);
  EXPECT_TRUE(grid->IsCellSelected(5, 5));
}

TEST_F(OrgMouseSelection, ListModeWithSingleRowsDropsTheEarlierRowOnAControlClick) {
  grid->SetListMode(TRUE);
  grid->SetSingleRowSelection(TRUE);
  Click(CentreOf(2, 2));
  EXPECT_TRUE(grid->IsCellSelected(2, 5));
  Click(CentreOf(5, 2), MK_CONTROL);
  EXPECT_FALSE(grid->IsCellSelected(2, 2));
  EXPECT_TRUE(grid->IsCellSelected(5, 1));
  EXPECT_EQ(grid->GetSelectedCount(), 5);
}

TEST_F(OrgMouseSelection, AControlPressOnASelectedCellDeselectsIt) {
  grid->SetSelectedRange(2, 2, 3, 3);
  Click(CentreOf(3, 3), MK_CONTROL);
  EXPECT_FALSE(grid->IsCellSelected(3, 3));
  EXPECT_EQ(grid->GetSelectedCount(), 3);
  EXPECT_EQ(grid->GetFocusCell(), CCellAddrOrg(3, 3));
}

TEST_F(OrgMouseSelection, AHeaderClickSelectsTheWholeColumn) {
  Click(CentreOf(0, 3));
  EXPECT_EQ(grid->GetSelectedCellRange(), CCellBlock(1, 3, 9, 3));
  Click(CentreOf(4, 0));
  EXPECT_EQ(grid->GetSelectedCellRange(), CCellBlock(4, 1, 4, 5));
}

}  // namespace
