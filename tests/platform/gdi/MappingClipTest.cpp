#include <gtest/gtest.h>

#include "tests/platform/gdi/Canvas.h"

namespace {

TEST(MappingTest, MetricModesMapTenthsOfMillimetresAtNinetySixDpiWithYUp) {
  Canvas canvas(10, 10);
  canvas.dc.SetMapMode(MM_LOMETRIC);
  POINT p{254, -254};  // one inch right and down
  canvas.dc.LPtoDP(&p);
  EXPECT_EQ(p.x, 96);
  EXPECT_EQ(p.y, 96);
  canvas.dc.DPtoLP(&p);
  EXPECT_EQ(p.x, 254);
  EXPECT_EQ(p.y, -254);

  canvas.dc.SetMapMode(MM_TWIPS);
  POINT q{1440, 720};
  canvas.dc.LPtoDP(&q);
  EXPECT_EQ(q.x, 96);
  EXPECT_EQ(q.y, -48);
}

TEST(MappingTest, AnisotropicOriginsAndExtents) {
  Canvas canvas(40, 40);
  canvas.dc.SetMapMode(MM_ANISOTROPIC);
  canvas.dc.SetWindowOrg(100, 100);
  canvas.dc.SetWindowExt(100, 100);
  canvas.dc.SetViewportOrg(10, 20);
  canvas.dc.SetViewportExt(20, 10);
  POINT p{150, 200};
  canvas.dc.LPtoDP(&p);
  EXPECT_EQ(p.x, 20);
  EXPECT_EQ(p.y, 30);

  // Drawing goes through the same mapping: a rectangle of 50 x 100 logical units.
  canvas.dc.FillSolidRect(CRect(100, 100, 150, 200), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(10, 20), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(19, 29), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(20, 29), RGB(255, 255, 255));

  // Extents are fixed outside the free modes.
  canvas.dc.SetMapMode(MM_TEXT);
  canvas.dc.SetViewportExt(5, 5);
  EXPECT_EQ(canvas.dc.GetViewportExt(), CSize(1, 1));
}

TEST(MappingTest, IsotropicKeepsEqualUnitsOnBothAxes) {
  Canvas canvas(10, 10);
  canvas.dc.SetMapMode(MM_ISOTROPIC);
  canvas.dc.SetWindowExt(100, 100);
  canvas.dc.SetViewportExt(200, -50);
  EXPECT_EQ(canvas.dc.GetViewportExt(), CSize(50, -50));
}

TEST(ClipTest, ClipRectanglesAndRegionsLimitDrawing) {
  Canvas canvas(20, 20);
  EXPECT_EQ(canvas.dc.IntersectClipRect(5, 5, 15, 15), SIMPLEREGION);
  EXPECT_EQ(canvas.dc.ExcludeClipRect(8, 8, 10, 10), COMPLEXREGION);
  CRect box;
  canvas.dc.GetClipBox(box);
  EXPECT_EQ(box, CRect(5, 5, 15, 15));
  canvas.dc.FillSolidRect(0, 0, 20, 20, RGB(0, 0, 255));
  EXPECT_EQ(canvas.At(4, 4), RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(5, 5), RGB(0, 0, 255));
  EXPECT_EQ(canvas.At(14, 14), RGB(0, 0, 255));
  EXPECT_EQ(canvas.At(15, 15), RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(8, 8), RGB(255, 255, 255));
  EXPECT_FALSE(canvas.dc.PtVisible(9, 9));
  EXPECT_TRUE(canvas.dc.RectVisible(CRect(0, 0, 6, 6)));

  CRgn region;
  region.CreateRectRgn(0, 0, 2, 2);
  EXPECT_EQ(canvas.dc.SelectClipRgn(&region), SIMPLEREGION);
  canvas.dc.GetClipBox(box);
  EXPECT_EQ(box, CRect(0, 0, 2, 2));
  canvas.dc.SelectClipRgn(nullptr);
  canvas.dc.GetClipBox(box);
  EXPECT_EQ(box, CRect(0, 0, 20, 20));
}

TEST(SaveDcTest, RestoreBringsBackObjectsColoursMappingAndClip) {
  Canvas canvas(20, 20);
  CPen red(PS_SOLID, 1, RGB(255, 0, 0));
  CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
  CPen* original = canvas.dc.SelectObject(&red);
  canvas.dc.SetTextColor(RGB(1, 2, 3));
  canvas.dc.IntersectClipRect(0, 0, 10, 10);
  const int first = canvas.dc.SaveDC();
  EXPECT_EQ(first, 1);

  canvas.dc.SelectObject(&blue);
  canvas.dc.SetTextColor(RGB(4, 5, 6));
  canvas.dc.SetWindowOrg(3, 3);
  canvas.dc.SelectClipRgn(nullptr);
  EXPECT_EQ(canvas.dc.SaveDC(), 2);
  canvas.dc.SetTextColor(RGB(7, 8, 9));

  EXPECT_TRUE(canvas.dc.RestoreDC(-1));
  EXPECT_EQ(canvas.dc.GetTextColor(), RGB(4, 5, 6));
  EXPECT_TRUE(canvas.dc.RestoreDC(first));
  EXPECT_EQ(canvas.dc.GetCurrentPen(), &red);
  EXPECT_EQ(canvas.dc.GetTextColor(), RGB(1, 2, 3));
  EXPECT_EQ(canvas.dc.GetWindowOrg(), CPoint(0, 0));
  CRect box;
  canvas.dc.GetClipBox(box);
  EXPECT_EQ(box, CRect(0, 0, 10, 10));
  EXPECT_FALSE(canvas.dc.RestoreDC(first));  // used up
  EXPECT_FALSE(canvas.dc.RestoreDC(-1));

  canvas.dc.MoveTo(0, 5);
  canvas.dc.LineTo(20, 5);
  EXPECT_EQ(canvas.At(9, 5), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(10, 5), RGB(255, 255, 255));
  EXPECT_EQ(canvas.dc.SelectObject(original), &red);
}

TEST(SelectObjectTest, ReturnsThePreviousObjectAndKeepsADeletedSelectionAlive) {
  Canvas canvas(8, 8);
  auto pen = std::make_unique<CPen>(PS_SOLID, 1, RGB(0, 255, 0));
  CPen* original = canvas.dc.SelectObject(pen.get());
  ASSERT_NE(original, nullptr);
  pen.reset();  // the context still draws with it
  canvas.dc.MoveTo(0, 0);
  canvas.dc.LineTo(4, 0);
  EXPECT_EQ(canvas.At(1, 0), RGB(0, 255, 0));
  CPen* previous = canvas.dc.SelectObject(original);
  ASSERT_NE(previous, nullptr);
  LOGPEN lp{};
  EXPECT_GT(previous->GetLogPen(&lp), 0);
  EXPECT_EQ(lp.lopnColor, RGB(0, 255, 0));
  CGdiObject::DeleteTempMap();
}

}  // namespace
