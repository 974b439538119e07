#include <gtest/gtest.h>

#include "grid/org/CellGridOrg.h"
#include "grid/org/TextCellOrg.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/UiApplication.h"

namespace {

// A cell of a grid drawn into a memory picture, for reading its pixels.
class OrgCellPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    ASSERT_TRUE(bitmap.CreateBitmap(60, 30, 1, 32, nullptr));
    dc.SelectObject(&bitmap);
    dc.FillSolidRect(CRect(0, 0, 60, 30), RGB(1, 1, 1));
  }
  COLORREF Pixel(int x, int y) { return dc.GetPixel(x, y) & 0xFFFFFF; }

  CUiApplication application;
  CCellGridOrg grid{4, 4, 1, 1};
  CDC dc;
  CBitmap bitmap;
};

TEST_F(OrgCellPicture, AnOwnBackColourIsAlwaysErased) {
  CCellBaseOrg* cell = grid.GetCell(2, 2);
  EXPECT_TRUE(cell->Draw(&dc, 2, 2, CRect(0, 0, 40, 20), FALSE));
  EXPECT_EQ(Pixel(5, 5), RGB(1, 1, 1));
  cell->SetBackColor(RGB(0x20, 0x40, 0x60));
  EXPECT_TRUE(cell->Draw(&dc, 2, 2, CRect(0, 0, 40, 20), FALSE));
  EXPECT_EQ(Pixel(5, 5), RGB(0x20, 0x40, 0x60));
  EXPECT_EQ(Pixel(40, 20), RGB(0x20, 0x40, 0x60));
}

TEST_F(OrgCellPicture, ASelectedFocusedCellIsHighlightedAndFramedInTheHighlightText) {
  grid.SetSelectedRange(2, 2, 2, 2);
  grid.SetFocusCell(2, 2);
  CCellBaseOrg* cell = grid.GetCell(2, 2);
  cell->SetText(u"");
  EXPECT_TRUE(cell->Draw(&dc, 2, 2, CRect(0, 0, 40, 20), FALSE));
  EXPECT_EQ(Pixel(5, 5), GetSysColor(COLOR_HIGHLIGHT) & 0xFFFFFF);
  EXPECT_EQ(Pixel(0, 0), GetSysColor(COLOR_HIGHLIGHTTEXT) & 0xFFFFFF);
  // The frame lies inside the cell; its right and bottom pixel column is left for the grid line.
  EXPECT_EQ(Pixel(39, 19), GetSysColor(COLOR_HIGHLIGHTTEXT) & 0xFFFFFF);
  EXPECT_EQ(Pixel(40, 20), GetSysColor(COLOR_HIGHLIGHT) & 0xFFFFFF);
}

TEST_F(OrgCellPicture, ASelectedCellWithoutFocusIsFilledInTheHighlight) {
  grid.SetSelectedRange(2, 2, 2, 2);
  CCellBaseOrg* cell = grid.GetCell(2, 2);
  EXPECT_TRUE(cell->Draw(&dc, 2, 2, CRect(0, 0, 40, 20), FALSE));
  EXPECT_EQ(Pixel(0, 0), GetSysColor(COLOR_HIGHLIGHT) & 0xFFFFFF);
}

TEST_F(OrgCellPicture, HeadersOfTheFocusRowAreSunken) {
  grid.SetFocusCell(2, 2);
  CCellBaseOrg* header = grid.GetCell(2, 0);
  header->SetText(u"");
  EXPECT_TRUE(header->Draw(&dc, 2, 0, CRect(0, 0, 40, 20), TRUE));
  // The sunken inner edge is dark at the top left; a raised edge would be light there.
  EXPECT_NE(Pixel(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF);
  CCellBaseOrg* other = grid.GetCell(3, 0);
  other->SetText(u"");
  EXPECT_TRUE(other->Draw(&dc, 3, 0, CRect(0, 0, 40, 20), TRUE));
  EXPECT_EQ(Pixel(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF);
}

TEST_F(OrgCellPicture, EmptyRectanglesAndCellsWithoutAGridDrawNothing) {
  CTextCellOrg loose;
  EXPECT_FALSE(loose.Draw(&dc, 0, 0, CRect(0, 0, 10, 10), TRUE));
  EXPECT_FALSE(grid.GetCell(2, 2)->Draw(&dc, 2, 2, CRect(5, 5, 5, 20), TRUE));
}

}  // namespace
