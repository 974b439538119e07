#include <gtest/gtest.h>

#include "platform/gdi/SystemInfo.h"
#include "tests/platform/gdi/Canvas.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

struct LineCase {
  POINT from, to;
  POINT lastPixel;  // the pixel just before the end point: set
};

TEST(LineTest, LineSetsEveryPixelUpToButNotItsEndPoint) {
  const LineCase cases[] = {
      {{10, 10}, {20, 10}, {19, 10}},  // rightwards
      {{20, 12}, {10, 12}, {11, 12}},  // leftwards
      {{5, 2}, {5, 9}, {5, 8}},        // downwards
      {{7, 9}, {7, 2}, {7, 3}},        // upwards
      {{0, 20}, {6, 26}, {5, 25}},     // diagonal
  };
  for (const LineCase& c : cases) {
    Canvas canvas(32, 32);
    canvas.dc.MoveTo(c.from.x, c.from.y);
    canvas.dc.LineTo(c.to.x, c.to.y);
    EXPECT_EQ(canvas.At(c.from.x, c.from.y), kBlack) << "start " << c.from.x << "," << c.from.y;
    EXPECT_EQ(canvas.At(c.lastPixel.x, c.lastPixel.y), kBlack)
        << "last " << c.lastPixel.x << "," << c.lastPixel.y;
    EXPECT_EQ(canvas.At(c.to.x, c.to.y), kWhite) << "end " << c.to.x << "," << c.to.y;
    EXPECT_EQ(canvas.dc.GetCurrentPosition(), CPoint(c.to));
  }
}

TEST(LineTest, PolylineJoinsSegmentsWithoutGapsAndLeavesOutTheLastPoint) {
  Canvas canvas(16, 16);
  const POINT points[] = {{1, 1}, {8, 1}, {8, 8}};
  canvas.dc.Polyline(points, 3);
  EXPECT_EQ(canvas.At(8, 1), kBlack);
  EXPECT_EQ(canvas.At(8, 7), kBlack);
  EXPECT_EQ(canvas.At(8, 8), kWhite);
}

TEST(LineTest, XorPenDrawnTwiceRestoresTheTarget) {
  Canvas canvas(16, 16);
  canvas.dc.FillSolidRect(0, 0, 16, 16, RGB(10, 200, 30));
  CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
  CPen* old = canvas.dc.SelectObject(&pen);
  canvas.dc.SetROP2(R2_XORPEN);
  canvas.dc.MoveTo(0, 4);
  canvas.dc.LineTo(16, 4);
  EXPECT_EQ(canvas.At(3, 4), RGB(245, 55, 225));
  canvas.dc.MoveTo(0, 4);
  canvas.dc.LineTo(16, 4);
  EXPECT_EQ(canvas.At(3, 4), RGB(10, 200, 30));
  canvas.dc.SelectObject(old);
}

TEST(RectangleTest, PenInsideBrushFillsRightAndBottomEdgesExcluded) {
  Canvas canvas(12, 12);
  CBrush brush(kRed);
  CBrush* oldBrush = canvas.dc.SelectObject(&brush);
  canvas.dc.Rectangle(2, 2, 7, 7);
  EXPECT_EQ(canvas.At(2, 2), kBlack);
  EXPECT_EQ(canvas.At(6, 6), kBlack);
  EXPECT_EQ(canvas.At(6, 2), kBlack);
  EXPECT_EQ(canvas.At(4, 4), kRed);
  EXPECT_EQ(canvas.At(7, 7), kWhite);
  EXPECT_EQ(canvas.At(7, 4), kWhite);
  EXPECT_EQ(canvas.At(1, 1), kWhite);

  // Without a pen the fill stops one pixel short on the right and below.
  canvas.dc.SelectStockObject(NULL_PEN);
  canvas.dc.Rectangle(8, 8, 12, 12);
  EXPECT_EQ(canvas.At(8, 8), kRed);
  EXPECT_EQ(canvas.At(10, 10), kRed);
  EXPECT_EQ(canvas.At(11, 11), kWhite);
  canvas.dc.SelectObject(oldBrush);
}

TEST(RectangleTest, HatchedBrushesFillRectanglesAndPolygonsAlike) {
  Canvas canvas(24, 12);
  CBrush hatch(HS_CROSS, RGB(0, 0, 255));
  CBrush* old = canvas.dc.SelectObject(&hatch);
  canvas.dc.SelectStockObject(NULL_PEN);
  canvas.dc.SetBkColor(RGB(255, 255, 0));
  canvas.dc.Rectangle(0, 0, 9, 9);  // fills (0, 0)-(8, 8)
  const POINT square[] = {{12, 0}, {20, 0}, {20, 8}, {12, 8}};
  canvas.dc.Polygon(square, 4);
  // The 8 x 8 hatch lies from the brush origin, so both shapes show the same pattern.
  EXPECT_EQ(canvas.At(7, 3), RGB(0, 0, 255));
  EXPECT_EQ(canvas.At(3, 7), RGB(0, 0, 255));
  EXPECT_EQ(canvas.At(3, 3), RGB(255, 255, 0));
  EXPECT_EQ(canvas.At(15, 3), RGB(0, 0, 255));
  EXPECT_EQ(canvas.At(13, 7), RGB(0, 0, 255));
  EXPECT_EQ(canvas.At(13, 3), RGB(255, 255, 0));
  canvas.dc.SelectObject(old);
}

TEST(RectangleTest, FrameAnd3dRectCorners) {
  Canvas canvas(12, 12);
  canvas.dc.Draw3dRect(1, 1, 6, 5, kRed, kBlack);
  EXPECT_EQ(canvas.At(1, 1), kRed);
  EXPECT_EQ(canvas.At(5, 1), kRed);
  EXPECT_EQ(canvas.At(6, 1), kBlack);  // top right belongs to the second colour
  EXPECT_EQ(canvas.At(1, 4), kRed);
  EXPECT_EQ(canvas.At(1, 5), kBlack);  // bottom left too
  EXPECT_EQ(canvas.At(6, 5), kBlack);
  EXPECT_EQ(canvas.At(7, 5), kWhite);
  EXPECT_EQ(canvas.At(1, 6), kWhite);
  EXPECT_EQ(canvas.At(3, 3), kWhite);
  EXPECT_EQ(canvas.dc.GetBkColor(), kBlack);  // FillSolidRect leaves the background colour set

  CBrush brush(RGB(0, 0, 255));
  CRect frame(7, 7, 11, 11);
  canvas.dc.FrameRect(frame, &brush);
  EXPECT_EQ(canvas.At(7, 7), RGB(0, 0, 255));
  EXPECT_EQ(canvas.At(10, 10), RGB(0, 0, 255));
  EXPECT_EQ(canvas.At(9, 9), kWhite);
  EXPECT_EQ(canvas.At(11, 11), kWhite);
}

TEST(EdgeTest, EtchedTopEdgeIsAShadowLineOverAHighlightLine) {
  Canvas canvas(20, 10);
  canvas.dc.FillSolidRect(0, 0, 20, 10, GetSysColor(COLOR_BTNFACE));
  CRect edge(0, 4, 20, 8);
  canvas.dc.DrawEdge(edge, EDGE_ETCHED, BF_TOP);
  EXPECT_EQ(canvas.At(5, 4), RGB(128, 128, 128));
  EXPECT_EQ(canvas.At(5, 5), RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(5, 6), GetSysColor(COLOR_BTNFACE));
}

TEST(PixelTest, SetPixelAndGetPixelOutsideTheSurface) {
  Canvas canvas(4, 4);
  EXPECT_EQ(canvas.dc.SetPixel(1, 2, RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(canvas.At(1, 2), RGB(1, 2, 3));
  EXPECT_EQ(canvas.dc.GetPixel(4, 0), CLR_INVALID);
  canvas.dc.IntersectClipRect(0, 0, 1, 1);
  EXPECT_EQ(canvas.dc.GetPixel(1, 2), CLR_INVALID);  // outside the clip
  EXPECT_EQ(canvas.dc.SetPixel(-1, 0, kRed), CLR_INVALID);
}

}  // namespace
