#include <gtest/gtest.h>

#include "platform/gdi/ImageList.h"
#include "tests/platform/gdi/Canvas.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A strip of two 4 x 4 pictures: the first red with a magenta corner, the second green.
class TwoPictureStrip : public ::testing::Test {
 protected:
  void SetUp() override {
    strip.dc.FillSolidRect(0, 0, 4, 4, RGB(255, 0, 0));
    strip.dc.SetPixel(0, 0, kMagenta);
    strip.dc.FillSolidRect(4, 0, 4, 4, RGB(0, 255, 0));
    ASSERT_TRUE(list.Create(4, 4, ILC_COLORDDB | ILC_MASK, 1, 1));
  }
  Canvas strip{8, 4};
  CImageList list;
};

TEST_F(TwoPictureStrip, AddSplitsTheStripAndMaskColourPixelsStayTransparent) {
  EXPECT_EQ(list.Add(&strip.bitmap, kMagenta), 0);
  EXPECT_EQ(list.GetImageCount(), 2);

  Canvas target(10, 10);
  target.dc.FillSolidRect(0, 0, 10, 10, RGB(0, 0, 255));
  EXPECT_TRUE(list.Draw(&target.dc, 0, CPoint(2, 2), ILD_NORMAL));
  EXPECT_EQ(target.At(2, 2), RGB(0, 0, 255));  // magenta: the target shows through
  EXPECT_EQ(target.At(3, 2), RGB(255, 0, 0));
  EXPECT_EQ(target.At(5, 5), RGB(255, 0, 0));
  EXPECT_EQ(target.At(6, 6), RGB(0, 0, 255));
  EXPECT_TRUE(list.Draw(&target.dc, 1, CPoint(6, 6), ILD_NORMAL));
  EXPECT_EQ(target.At(9, 9), RGB(0, 255, 0));
  EXPECT_FALSE(list.Draw(&target.dc, 2, CPoint(0, 0), ILD_NORMAL));
}

TEST_F(TwoPictureStrip, IconsCarryPictureAndMaskBetweenLists) {
  list.Add(&strip.bitmap, kMagenta);
  HICON icon = list.ExtractIcon(0);
  ASSERT_NE(icon, nullptr);
  CImageList other;
  other.Create(4, 4, ILC_COLORDDB | ILC_MASK, 1, 1);
  EXPECT_EQ(other.Add(icon), 0);
  EXPECT_EQ(other.Replace(0, icon), 0);
  DestroyIcon(icon);
  EXPECT_EQ(other.GetImageCount(), 1);

  IMAGEINFO info{};
  ASSERT_TRUE(other.GetImageInfo(0, &info));
  EXPECT_EQ(CRect(info.rcImage), CRect(0, 0, 4, 4));
  EXPECT_NE(info.hbmMask, nullptr);

  Canvas target(4, 4);
  other.Draw(&target.dc, 0, CPoint(0, 0), ILD_TRANSPARENT);
  EXPECT_EQ(target.At(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(target.At(1, 0), RGB(255, 0, 0));
}

}  // namespace
