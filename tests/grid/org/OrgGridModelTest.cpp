#include <gtest/gtest.h>

#include "tests/grid/org/OrgGridFixture.h"

namespace {

TEST(OrgGridModel, AGridMadeEmptyHasNoCellsAndGrowsForFixedRows) {
  CUiApplication application;
  CCellGridOrg grid;
  EXPECT_EQ(grid.GetRowCount(), 0);
  EXPECT_EQ(grid.GetCell(0, 0), nullptr);
  grid.SetColumnCount(2);
  EXPECT_TRUE(grid.SetFixedRowCount(3));
  EXPECT_EQ(grid.GetRowCount(), 3);
  EXPECT_EQ(grid.GetCellState(2, 1) & (GCS_FIXED | GCS_FIXEDROW), GCS_FIXED | GCS_FIXEDROW);
  EXPECT_EQ(grid.GetCell(1, 1)->GetBackColor(), CLR_DEFAULT);
}

TEST(OrgGridModel, CellsLeavingTheFixedAreaKeepTheDefaultColours) {
  CUiApplication application;
  CCellGridOrg grid(4, 4, 2, 1);
  grid.GetCell(1, 2)->SetBackColor(RGB(1, 2, 3));
  grid.SetFixedRowCount(1);
  EXPECT_EQ(grid.GetCellState(1, 2) & GCS_FIXED, 0u);
  EXPECT_EQ(grid.GetCell(1, 2)->GetBackColor(), CLR_DEFAULT);
  EXPECT_EQ(grid.GetCellState(1, 0) & (GCS_FIXED | GCS_FIXEDROW | GCS_FIXEDCOL), GCS_FIXED | GCS_FIXEDCOL);
}

TEST(OrgGridModel, SettingTheColumnCountResetsTheOrderAndForgetsTheSortColumn) {
  CUiApplication application;
  CCellGridOrg grid(3, 4, 1, 1);
  grid.SetColumnWidth(1, 11);
  grid.SetColumnWidth(3, 33);
  ASSERT_TRUE(grid.MoveColumn(3, 1));
  EXPECT_EQ(grid.GetColumnOrder(), (std::vector<int>{0, 3, 1, 2}));
  EXPECT_EQ(grid.GetColumnWidth(1), 33);
  grid.SortByColumn(2, TRUE);
  EXPECT_EQ(grid.GetSortColumn(), 2);
  grid.SetColumnCount(5);
  EXPECT_EQ(grid.GetColumnOrder(), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(grid.GetColumnWidth(1), 11);
  EXPECT_EQ(grid.GetColumnWidth(3), 33);
  EXPECT_EQ(grid.GetSortColumn(), -1);
}

TEST(OrgGridModel, ADataChangeInTheSortColumnOrAnyRowCountChangeForgetsTheSortColumn) {
  CUiApplication application;
  CCellGridOrg grid(4, 3, 1, 0);
  grid.SortByColumn(1, TRUE);
  grid.SetCellText(2, 0, u"x");
  EXPECT_EQ(grid.GetSortColumn(), 1);
  grid.SetCellText(2, 1, u"x");
  EXPECT_EQ(grid.GetSortColumn(), -1);
  grid.SortByColumn(1, TRUE);
  grid.SetRowCount(4);
  EXPECT_EQ(grid.GetSortColumn(), -1);
}

TEST(OrgGridModel, ApplyingAStateSelectsThroughTheSelectionSet) {
  CUiApplication application;
  CCellGridOrg grid(4, 4, 1, 1);
  GRIDITEMINFO item;
  item.row = 2;
  item.col = 3;
  item.mask = GIF_STATE;
  item.state = GCS_SELECTED;
  item.text = u"ignored";
  EXPECT_TRUE(grid.ApplyCellInfo(&item));
  EXPECT_EQ(grid.GetSelectedCount(), 1);
  EXPECT_TRUE(grid.IsCellSelected(2, 3));
  EXPECT_EQ(grid.GetCellText(2, 3), CString());
  // The state is applied after the change is marked, so it is the state as given.
  EXPECT_EQ(grid.GetCellState(2, 3), UINT(GCS_SELECTED));
  EXPECT_TRUE(grid.GetModified());
  item.mask = GIF_TEXT | GIF_BKCLR;
  item.backColor = RGB(9, 8, 7);
  EXPECT_TRUE(grid.ApplyCellInfo(&item));
  EXPECT_EQ(grid.GetCellText(2, 3), CString(u"ignored"));
  EXPECT_EQ(grid.GetCell(2, 3)->GetBackColor(), RGB(9, 8, 7));
  EXPECT_FALSE(grid.ApplyCellInfo(nullptr));
}

TEST(OrgGridModel, VirtualModeRefusesStoredCellChanges) {
  CUiApplication application;
  CCellGridOrg grid;
  grid.SetVirtualMode(TRUE);
  grid.SetRowCount(5);
  grid.SetColumnCount(3);
  EXPECT_FALSE(grid.IsEditable());
  EXPECT_EQ(grid.GetRowOrder(), (std::vector<int>{0, 1, 2, 3, 4}));
  GRIDITEMINFO item;
  item.row = 1;
  item.col = 1;
  item.mask = GIF_TEXT;
  EXPECT_FALSE(grid.ApplyCellInfo(&item));
  EXPECT_FALSE(grid.SetCellText(1, 1, u"x"));
  EXPECT_FALSE(grid.SetCellType(1, 1, RUNTIME_CLASS(CTextCellOrg)));
}

TEST(OrgGridModel, ClearingTheGridWideModifiedFlagClearsEveryCellsFlag) {
  CUiApplication application;
  CCellGridOrg grid(3, 3, 0, 0);
  grid.SetCellText(1, 1, u"a");
  EXPECT_TRUE(grid.GetModified());
  EXPECT_TRUE(grid.GetCellState(1, 1) & GCS_MODIFIED);
  grid.SetModified(FALSE);
  EXPECT_FALSE(grid.GetModified());
  EXPECT_FALSE(grid.GetCellState(1, 1) & GCS_MODIFIED);
}

TEST(OrgGridModel, SetCellTypeKeepsTheCellsAttributes) {
  CUiApplication application;
  CCellGridOrg grid(3, 3, 1, 1);
  grid.SetCellText(2, 2, u"kept");
  grid.SetCellState(2, 2, grid.GetCellState(2, 2) | GCS_READONLY);
  EXPECT_TRUE(grid.SetCellType(2, 2, RUNTIME_CLASS(CTextCellOrg)));
  EXPECT_EQ(grid.GetCellText(2, 2), CString(u"kept"));
  EXPECT_TRUE(grid.GetCell(2, 2)->IsReadOnly());
  EXPECT_FALSE(grid.SetCellType(2, 2, RUNTIME_CLASS(CObject)));
}

using OrgAutoSize = OrgGridOnScreen;

TEST_F(OrgAutoSize, StyleOneMeasuresOnlyTheFixedRows) {
  Make(4, 3, 1, 1);
  grid->SetCellText(0, 2, u"h");
  grid->SetCellText(2, 2, u"a much longer text than the heading");
  grid->SetAutoSizeStyle(1);
  grid->AutoSize(0);
  const int narrow = grid->GetColumnWidth(2);
  grid->SetAutoSizeStyle(3);
  grid->AutoSize(0);
  EXPECT_GT(grid->GetColumnWidth(2), narrow + 50);
  EXPECT_GT(grid->GetRowHeight(2), 1);
}

}  // namespace
