#include <gtest/gtest.h>

#include "platform/gdi/Dc.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GuiApplication.h"
#include "toolkit/ImageObj.h"

namespace {

TEST(ImageFromBitmap, ScreenBitmapBecomesA24BitPictureWithTheSamePixels) {
  EnsureGuiApplication();
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  // A colour bitmap has the screen's 32 bits per pixel.
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateBitmap(5, 3, 1, 32, nullptr));
  BITMAP described{};
  ASSERT_TRUE(bitmap.GetBitmap(&described));
  ASSERT_EQ(described.bmBitsPixel, 32);
  CBitmap* old = dc.SelectObject(&bitmap);
  dc.FillSolidRect(0, 0, 5, 3, RGB(255, 255, 255));
  dc.SetPixel(0, 0, RGB(200, 10, 20));  // top left
  dc.SetPixel(4, 2, RGB(1, 2, 3));      // bottom right
  dc.SelectObject(old);

  CImageObj image;
  ASSERT_TRUE(image.CreateFromHBITMAP(bitmap)) << image.GetLastError();
  EXPECT_EQ(image.GetWidth(), 5u);
  EXPECT_EQ(image.GetHeight(), 3u);
  EXPECT_EQ(image.GetBpp(), 24) << "a 32-bit screen bitmap is kept as 24 bits";
  EXPECT_EQ(image.GetNumColors(), 0u);
  const RGBQUAD topLeft = image.GetPixelRgb(0, 2);  // DIB rows count from the bottom
  EXPECT_EQ(topLeft.rgbRed, 200);
  EXPECT_EQ(topLeft.rgbGreen, 10);
  EXPECT_EQ(topLeft.rgbBlue, 20);
  const RGBQUAD bottomRight = image.GetPixelRgb(4, 0);
  EXPECT_EQ(bottomRight.rgbRed, 1);
  EXPECT_EQ(bottomRight.rgbBlue, 3);
  EXPECT_EQ(image.GetPixelRgb(2, 1).rgbGreen, 255);
}

TEST(ImageFromBitmap, NullBitmapIsRefused) {
  CImageObj image;
  EXPECT_FALSE(image.CreateFromHBITMAP(nullptr));
  EXPECT_EQ(image.GetBits(0), nullptr);
}

}  // namespace
