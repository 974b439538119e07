#include <gtest/gtest.h>

#include "platform/gdi/GdiPlus.h"
#include "tests/platform/gdi/Canvas.h"

namespace {

TEST(GdiPlusTest, AntiAliasedPolylineBlendsItsEdgesIntoTheTarget) {
  Canvas canvas(40, 20);
  GpGraphics* graphics = nullptr;
  ASSERT_EQ(GdipCreateFromHDC(canvas.dc, &graphics), Ok);
  EXPECT_EQ(GdipSetPageUnit(graphics, UnitPixel), Ok);
  EXPECT_EQ(GdipSetSmoothingMode(graphics, SmoothingModeAntiAlias), Ok);
  GpPen* pen = nullptr;
  ASSERT_EQ(GdipCreatePen1(0xFF0000FF, 1.5f, UnitWorld, &pen), Ok);
  const GpPointF horizontal[] = {{2, 5}, {30, 5}};
  EXPECT_EQ(GdipDrawLines(graphics, pen, horizontal, 2), Ok);
  const GpPointF slanted[] = {{2, 10}, {30, 18}};
  EXPECT_EQ(GdipDrawLines(graphics, pen, slanted, 2), Ok);
  EXPECT_EQ(GdipDrawLines(graphics, pen, slanted, 1), InvalidParameter);
  GdipDeletePen(pen);
  GdipDeleteGraphics(graphics);

  // The line through pixel row 5 is fully blue there; its 1.5-pixel width spills half
  // into the rows beside it as lighter blue.
  EXPECT_EQ(canvas.At(15, 5), RGB(0, 0, 255));
  const COLORREF above = canvas.At(15, 4);
  const COLORREF below = canvas.At(15, 6);
  EXPECT_NE(above, RGB(255, 255, 255));
  EXPECT_NE(above, RGB(0, 0, 255));
  EXPECT_EQ(GetBValue(above), 255);
  EXPECT_EQ(above, below);
  EXPECT_EQ(canvas.At(15, 3), RGB(255, 255, 255));

  // A slanted anti-aliased line leaves intermediate shades along its edge.
  int shades = 0;
  for (int y = 10; y <= 18; ++y) {
    const COLORREF c = canvas.At(16, y);
    if (c != RGB(255, 255, 255) && c != RGB(0, 0, 255)) ++shades;
  }
  EXPECT_GT(shades, 0);
}

}  // namespace
