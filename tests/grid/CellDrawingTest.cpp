#include <gtest/gtest.h>

#include "grid/AlphaBlendBitmap.h"
#include "grid/BarRangeCell.h"
#include "grid/GradientCell.h"
#include "grid/MultiBmpCell.h"
#include "tests/grid/GridFixture.h"

namespace {

constexpr COLORREF kRed = RGB(0xFF, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 0xFF);
constexpr COLORREF kGreen = RGB(0, 0xFF, 0);

// Cells drawn by themselves into a 100 x 20 picture.
class CellPicture : public GridOnScreen {
 protected:
  void SetUp() override {
    Make(3, 3, 0, 0);
    bitmap.CreateCompatibleBitmap(nullptr, 100, 20);
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&bitmap);
    dc.FillSolidRect(CRect(0, 0, 100, 20), 0x808080);
  }
  template <class Cell>
  Cell& Place(const CRuntimeClass* cellClass) {
    EXPECT_TRUE(grid->SetCellType(1, 1, cellClass));
    return *static_cast<Cell*>(grid->GetCell(1, 1));
  }
  COLORREF At(int x, int y) { return dc.GetPixel(x, y) & 0xFFFFFF; }

  CBitmap bitmap;
  CDC dc;
};

TEST_F(CellPicture, GradientModesFollowTheCornerColours) {
  auto& cell = Place<CGradientCell>(RUNTIME_CLASS(CGradientCell));
  struct Case {
    COLORREF tl, tr, bl, br;
    COLORREF leftTop, rightTop, leftBottom;
  };
  // Solid; horizontal (left pair and right pair equal); vertical (top and bottom pairs equal).
  const Case cases[] = {{kRed, kRed, kRed, kRed, kRed, kRed, kRed},
                        {kRed, kBlue, kRed, kBlue, kRed, kBlue, kRed},
                        {kRed, kRed, kBlue, kBlue, kRed, kRed, kBlue}};
  for (const Case& c : cases) {
    cell.SetTopLeftColor(c.tl);
    cell.SetTopRightColor(c.tr);
    cell.SetBottomLeftColor(c.bl);
    cell.SetBottomRightColor(c.br);
    cell.DrawBackground(&dc, 1, 1, CRect(0, 0, 100, 20), FALSE);
    EXPECT_EQ(At(0, 0), c.leftTop);
    EXPECT_EQ(At(99, 0) & 0xF0F0F0, c.rightTop & 0xF0F0F0);
    EXPECT_EQ(At(0, 19) & 0xF0F0F0, c.leftBottom & 0xF0F0F0);
  }
  // Any other combination: the two triangles, which blend towards each corner's colour.
  cell.SetTopLeftColor(kRed);
  cell.SetTopRightColor(kGreen);
  cell.SetBottomLeftColor(kBlue);
  cell.SetBottomRightColor(kRed);
  cell.DrawBackground(&dc, 1, 1, CRect(0, 0, 100, 20), FALSE);
  EXPECT_EQ(At(0, 0) & 0xF0F0F0, kRed & 0xF0F0F0);
  EXPECT_GT(GetGValue(At(98, 1)), 0xC0);
  EXPECT_GT(GetBValue(At(1, 18)), 0xC0);
}

TEST_F(CellPicture, SelectedSolidGradientIsDarkened) {
  auto& cell = Place<CGradientCell>(RUNTIME_CLASS(CGradientCell));
  cell.SetTopLeftColor(kRed);
  cell.SetTopRightColor(kRed);
  cell.SetBottomLeftColor(kRed);
  cell.SetBottomRightColor(kRed);
  cell.SetState(GCS_SELECTED);
  cell.DrawBackground(&dc, 1, 1, CRect(0, 0, 100, 20), FALSE);
  EXPECT_EQ(At(5, 5), RGB(0x7F, 0, 0));
}

// A paint with two-colour gradient gives the cell the back colour 0xFF000001 minus the start
// colour (halved when selected) and leaves it there; the other modes leave it alone.
TEST_F(CellPicture, TwoColourGradientTurnsTheBackColourIntoTheInvertedStartColour) {
  auto& cell = Place<CGradientCell>(RUNTIME_CLASS(CGradientCell));
  struct Case {
    const char* name;
    COLORREF tl, tr, bl, br;
    bool selected;
    COLORREF back;
  };
  const Case cases[] = {
      {"horizontal", kRed, kBlue, kRed, kBlue, false, 0xFEFFFF02u},
      {"vertical", kBlue, kBlue, kRed, kRed, false, 0xFE010001u},
      {"selected, halved to 0x7F", kRed, kBlue, kRed, kBlue, true, 0xFEFFFF82u},
      {"solid", kRed, kRed, kRed, kRed, false, 0x123456u},
      {"triangles", kRed, kGreen, kBlue, kRed, false, 0x123456u},
  };
  for (const Case& c : cases) {
    cell.SetBackColor(0x123456);
    cell.SetState(c.selected ? GCS_SELECTED : 0);
    cell.SetTopLeftColor(c.tl);
    cell.SetTopRightColor(c.tr);
    cell.SetBottomLeftColor(c.bl);
    cell.SetBottomRightColor(c.br);
    ASSERT_TRUE(cell.Draw(&dc, 1, 1, CRect(0, 0, 99, 19), FALSE, FALSE)) << c.name;
    EXPECT_EQ(cell.GetBackColor(), c.back) << c.name;
  }
}

TEST_F(CellPicture, BarScalesTheDistanceFromTheMinimum) {
  auto& cell = Place<CBarRangeCell>(RUNTIME_CLASS(CBarRangeCell));
  cell.SetMarkerHidden(TRUE);
  cell.SetMinValue(100);
  cell.SetMaxValue(200);
  cell.SetRangeALow(150);
  cell.SetRangeAHigh(250);
  cell.SetRangeAHidden(FALSE);
  cell.SetOverlapColors(kGreen, kGreen);
  ASSERT_TRUE(cell.Draw(&dc, 1, 1, CRect(0, 0, 100, 20), FALSE, FALSE));
  // 150 lies half way: the range runs from x 50 to the right edge.
  EXPECT_NE(At(49, 10), kGreen);
  EXPECT_EQ(At(50, 10), kGreen);
  EXPECT_EQ(At(99, 10), kGreen);
}

TEST_F(CellPicture, BarWithoutExtentDrawsNoRangeAndNoMarker) {
  auto& cell = Place<CBarRangeCell>(RUNTIME_CLASS(CBarRangeCell));
  cell.SetMinValue(50);
  cell.SetMaxValue(50);
  cell.SetRangeAHidden(FALSE);
  cell.SetRangeBHidden(FALSE);
  cell.SetOverlapColors(kGreen, kGreen);
  cell.SetRangeAColors(kGreen, kGreen);
  cell.SetRangeBColors(kGreen, kGreen);
  ASSERT_TRUE(cell.Draw(&dc, 1, 1, CRect(0, 0, 100, 20), FALSE, FALSE));
  for (int x = 0; x < 100; x += 7) EXPECT_NE(At(x, 10), kGreen) << x;
  EXPECT_EQ(At(50, 0), 0xFFFFFFu);  // no marker wedge at the top
}

TEST_F(CellPicture, OverlapIsTheCommonPartOfBothRanges) {
  auto& cell = Place<CBarRangeCell>(RUNTIME_CLASS(CBarRangeCell));
  cell.SetMarkerHidden(TRUE);
  cell.SetRangeALow(20);
  cell.SetRangeAHigh(60);
  cell.SetRangeAHidden(FALSE);
  cell.SetRangeBLow(40);
  cell.SetRangeBHigh(80);
  cell.SetRangeBHidden(FALSE);
  cell.SetRangeAColors(kRed, kRed);
  cell.SetRangeBColors(kBlue, kBlue);
  cell.SetOverlapColors(kGreen, kGreen);
  ASSERT_TRUE(cell.Draw(&dc, 1, 1, CRect(0, 0, 100, 20), FALSE, FALSE));
  EXPECT_EQ(At(30, 10), kRed);
  EXPECT_EQ(At(50, 10), kGreen);
  EXPECT_EQ(At(70, 10), kBlue);
}

TEST_F(CellPicture, AlphaBlendDrawsAtTheGivenPlace) {
  CBitmap source;
  source.CreateCompatibleBitmap(nullptr, 4, 4);
  CDC sourceDc;
  sourceDc.CreateCompatibleDC(nullptr);
  CBitmap* old = sourceDc.SelectObject(&source);
  sourceDc.FillSolidRect(CRect(0, 0, 4, 4), kBlue);
  sourceDc.SelectObject(old);
  ASSERT_TRUE(AlphaBlendBitmap(&dc, 10, 5, 4, 4, FALSE, source, 255));
  EXPECT_EQ(At(10, 5), kBlue);
  EXPECT_EQ(At(13, 8), kBlue);
  EXPECT_NE(At(14, 5), kBlue);
  EXPECT_NE(At(10, 9), kBlue);
}

TEST_F(CellPicture, ImageRecordsKeepKeyOrderAndAClickMissingThemClearsTheHit) {
  auto& cell = Place<CMultiBmpCell>(RUNTIME_CLASS(CMultiBmpCell));
  for (int key : {5, 1, 5}) {
    MULTIBMPINFO info;
    info.orderKey = key;
    info.image = int(cell.GetBitmapInfos().size());
    cell.AddBitmapInfo(info);
  }
  const auto& infos = cell.GetBitmapInfos();
  ASSERT_EQ(infos.size(), 3u);
  EXPECT_EQ(infos[0].image, 1);
  EXPECT_EQ(infos[1].image, 0);
  EXPECT_EQ(infos[2].image, 2);
  // Without an image list nothing is drawn or hit.
  cell.OnClick(CPoint(1, 1));
  EXPECT_EQ(cell.GetClickedBitmap(), -1);
  EXPECT_TRUE(cell.Draw(&dc, 1, 1, CRect(0, 0, 99, 19), FALSE, FALSE));
}

}  // namespace
