#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "grid/org/CellGridOrg.h"
#include "grid/org/TextCellOrg.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/PrintTarget.h"
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

// A cell printed on a printer of the given colour count; the colours its text was drawn in.
class OrgCellPrint : public ::testing::Test {
 protected:
  std::vector<COLORREF> PrintedColors(bool twoColors, COLORREF back) {
    CDC printer;
    printer.Attach(twoColors ? CreateTwoColorMemoryPrinterDC(200, 60, 96) : CreateMemoryPrinterDC(200, 60, 96));
    printer.StartDoc(u"cell");
    printer.StartPage();
    grid.SetPrintColors(TRUE);
    grid.GetDefaultCell(FALSE, FALSE)->SetTextColor(RGB(200, 100, 50));
    CCellBaseOrg* cell = grid.GetCell(2, 2);
    cell->SetText(u"MMMMMMMM");
    cell->SetBackColor(back);
    EXPECT_TRUE(cell->PrintCell(&printer, 2, 2, CRect(0, 0, 150, 40)));
    std::vector<COLORREF> colors;
    for (int x = 0; x < 150; ++x)
      for (int y = 0; y < 40; ++y) {
        const COLORREF color = printer.GetPixel(x, y) & 0xFFFFFF;
        if (std::find(colors.begin(), colors.end(), color) == colors.end()) colors.push_back(color);
      }
    printer.EndPage();
    printer.EndDoc();
    return colors;
  }
  static int Darkest(const std::vector<COLORREF>& colors, int shift) {
    int least = 255;
    for (COLORREF color : colors) least = std::min(least, int((color >> shift) & 0xFF));
    return least;
  }

  CUiApplication application;
  CCellGridOrg grid{4, 4, 1, 1};
};

TEST_F(OrgCellPrint, ATwoColourPrinterPrintsTextWithoutBackInGreyShares) {
  // Red 200 x 0.30 = 60, green 100 x 0.59 = 59, blue 50 x 0.11 = 5; the text is drawn with
  // smoothed edges, so its darkest pixels carry the colour itself.
  const std::vector<COLORREF> colors = PrintedColors(true, CLR_DEFAULT);
  EXPECT_EQ(Darkest(colors, 0), 60);
  EXPECT_EQ(Darkest(colors, 8), 59);
  EXPECT_EQ(Darkest(colors, 16), 5);
}

TEST_F(OrgCellPrint, AFullColourPrinterKeepsTheTextColour) {
  const std::vector<COLORREF> colors = PrintedColors(false, CLR_DEFAULT);
  EXPECT_EQ(Darkest(colors, 0), 200);
  EXPECT_EQ(Darkest(colors, 8), 100);
}

TEST_F(OrgCellPrint, AnOwnBackColourIsFilledAndTheCellsTextColourKept) {
  grid.GetCell(2, 2)->SetTextColor(RGB(0, 0, 0));
  const std::vector<COLORREF> colors = PrintedColors(true, RGB(0x20, 0xC0, 0x40));
  EXPECT_NE(std::find(colors.begin(), colors.end(), RGB(0x20, 0xC0, 0x40)), colors.end());
  EXPECT_NE(std::find(colors.begin(), colors.end(), RGB(0, 0, 0)), colors.end());
}

}  // namespace
