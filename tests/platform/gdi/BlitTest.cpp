#include <gtest/gtest.h>

#include <cstring>

#include "tests/platform/gdi/Canvas.h"

namespace {

constexpr COLORREF kDst = RGB(0xF0, 0x0F, 0xAA);
constexpr COLORREF kSrc = RGB(0xCC, 0x33, 0x55);
constexpr COLORREF kPat = RGB(0x81, 0x42, 0x24);

struct RopCase {
  const char* name;
  DWORD rop;
  COLORREF expected;
};

TEST(BitBltTest, RasterOperationsCombinePatternSourceAndDestinationBitwise) {
  // Expected values worked out per channel from the operations' definitions.
  const RopCase cases[] = {
      {"SRCCOPY", SRCCOPY, kSrc},
      {"SRCAND", SRCAND, RGB(0xC0, 0x03, 0x00)},
      {"SRCPAINT", SRCPAINT, RGB(0xFC, 0x3F, 0xFF)},
      {"SRCINVERT", SRCINVERT, RGB(0x3C, 0x3C, 0xFF)},
      {"NOTSRCCOPY", NOTSRCCOPY, RGB(0x33, 0xCC, 0xAA)},
      {"DSTINVERT", DSTINVERT, RGB(0x0F, 0xF0, 0x55)},
      {"PATCOPY", PATCOPY, kPat},
      {"PATINVERT", PATINVERT, RGB(0x71, 0x4D, 0x8E)},
      {"BLACKNESS", BLACKNESS, RGB(0, 0, 0)},
      {"WHITENESS", WHITENESS, RGB(255, 255, 255)},
      // Pattern where the source bit is 1, destination where it is 0.
      {"0xE20746", 0x00E20746, RGB(0xB0, 0x0E, 0xAE)},
      // Destination where the source bit is 1, pattern where it is 0.
      {"0xB8074A", 0x00B8074A, RGB(0xC1, 0x43, 0x20)},
  };
  for (const RopCase& c : cases) {
    Canvas target(4, 4);
    Canvas source(4, 4);
    target.dc.FillSolidRect(0, 0, 4, 4, kDst);
    source.dc.FillSolidRect(0, 0, 4, 4, kSrc);
    CBrush brush(kPat);
    CBrush* old = target.dc.SelectObject(&brush);
    EXPECT_TRUE(target.dc.BitBlt(1, 1, 2, 2, &source.dc, 0, 0, c.rop)) << c.name;
    target.dc.SelectObject(old);
    EXPECT_EQ(target.At(1, 1), c.expected) << c.name;
    EXPECT_EQ(target.At(2, 2), c.expected) << c.name;
    EXPECT_EQ(target.At(3, 3), kDst) << c.name << ": outside the block";
  }
}

TEST(BitBltTest, MonochromeBitmapsTranslateThroughTextAndBackgroundColours) {
  CDC mono;
  mono.CreateCompatibleDC(nullptr);
  CBitmap mask;
  mask.CreateCompatibleBitmap(&mono, 2, 1);  // like the memory context: monochrome
  BITMAP bm{};
  mask.GetBitmap(&bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  CBitmap* oldMask = mono.SelectObject(&mask);

  // Colour to monochrome: pixels of the source's background colour become white (1).
  Canvas colour(2, 1);
  colour.dc.SetPixel(0, 0, RGB(255, 0, 255));
  colour.dc.SetPixel(1, 0, RGB(255, 255, 255));
  colour.dc.SetBkColor(RGB(255, 0, 255));
  mono.BitBlt(0, 0, 2, 1, &colour.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(mono.GetPixel(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(mono.GetPixel(1, 0), RGB(0, 0, 0));

  // Monochrome to colour: 1 takes the target's background colour, 0 its text colour.
  Canvas target(2, 1);
  target.dc.SetTextColor(RGB(1, 2, 3));
  target.dc.SetBkColor(RGB(4, 5, 6));
  target.dc.BitBlt(0, 0, 2, 1, &mono, 0, 0, SRCCOPY);
  EXPECT_EQ(target.At(0, 0), RGB(4, 5, 6));
  EXPECT_EQ(target.At(1, 0), RGB(1, 2, 3));
  mono.SelectObject(oldMask);
}

TEST(BitBltTest, CompatibleBitmapsFollowTheBitmapSelectedInTheContext) {
  CDC memory;
  memory.CreateCompatibleDC(nullptr);
  CBitmap mono, colour;
  mono.CreateCompatibleBitmap(&memory, 4, 4);
  colour.CreateCompatibleBitmap(nullptr, 4, 4);  // the screen's format
  CBitmap* old = memory.SelectObject(&colour);
  CBitmap fromColour;
  fromColour.CreateCompatibleBitmap(&memory, 4, 4);
  memory.SelectObject(old);
  BITMAP bm{};
  mono.GetBitmap(&bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  fromColour.GetBitmap(&bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  colour.GetBitmap(&bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(bm.bmWidthBytes, 16);
}

TEST(BitBltTest, TransparentBlitLeavesMagentaCoveredPixelsUntouched) {
  Canvas picture(3, 2);
  picture.dc.FillSolidRect(0, 0, 3, 2, RGB(255, 0, 255));
  picture.dc.SetPixel(1, 0, RGB(0, 128, 0));
  picture.dc.SetPixel(2, 1, RGB(0, 0, 200));
  Canvas target(3, 2);
  target.dc.FillSolidRect(0, 0, 3, 2, RGB(10, 20, 30));
  target.dc.SetPixel(0, 0, RGB(99, 99, 99));
  EXPECT_TRUE(target.dc.TransparentBlt(0, 0, 3, 2, &picture.dc, 0, 0, 3, 2, RGB(255, 0, 255)));
  EXPECT_EQ(target.At(0, 0), RGB(99, 99, 99));
  EXPECT_EQ(target.At(2, 0), RGB(10, 20, 30));
  EXPECT_EQ(target.At(1, 0), RGB(0, 128, 0));
  EXPECT_EQ(target.At(2, 1), RGB(0, 0, 200));
}

TEST(BitBltTest, StretchBltScalesByNearestPixelAndClipsToTheClipRegion) {
  Canvas source(2, 1);
  source.dc.SetPixel(0, 0, RGB(255, 0, 0));
  source.dc.SetPixel(1, 0, RGB(0, 0, 255));
  Canvas target(8, 2);
  target.dc.IntersectClipRect(0, 0, 7, 2);
  target.dc.StretchBlt(0, 0, 8, 2, &source.dc, 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(target.At(0, 1), RGB(255, 0, 0));
  EXPECT_EQ(target.At(3, 0), RGB(255, 0, 0));
  EXPECT_EQ(target.At(4, 0), RGB(0, 0, 255));
  EXPECT_EQ(target.At(6, 1), RGB(0, 0, 255));
  target.dc.SelectClipRgn(nullptr);
  EXPECT_EQ(target.At(7, 0), RGB(255, 255, 255));
}

TEST(BitBltTest, PlainCopyKeepsToTheClipRegionAndTheSource) {
  Canvas source(3, 3);
  source.dc.FillSolidRect(0, 0, 3, 3, kSrc);
  Canvas target(6, 6);
  target.dc.FillSolidRect(0, 0, 6, 6, kDst);
  CRgn region;
  region.CreateRectRgn(0, 0, 6, 3);
  target.dc.SelectClipRgn(&region);
  // The source ends after 3 pixels, the clip after row 2: only (1..3, 1..2) change.
  target.dc.BitBlt(1, 1, 5, 5, &source.dc, 0, 0, SRCCOPY);
  target.dc.SelectClipRgn(nullptr);
  EXPECT_EQ(target.At(1, 1), kSrc);
  EXPECT_EQ(target.At(3, 2), kSrc);
  EXPECT_EQ(target.At(4, 1), kDst);
  EXPECT_EQ(target.At(1, 3), kDst);
  EXPECT_EQ(target.At(0, 0), kDst);
}

TEST(AlphaBlendTest, ConstantAlphaMixesEachChannel) {
  Canvas source(1, 1);
  source.dc.SetPixel(0, 0, RGB(255, 0, 60));
  Canvas target(1, 1);
  target.dc.SetPixel(0, 0, RGB(0, 255, 200));
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 64, 0};
  EXPECT_TRUE(target.dc.AlphaBlend(0, 0, 1, 1, &source.dc, 0, 0, 1, 1, blend));
  // (s * 64 + d * 191) / 255, rounded: 64, 191, 165.
  EXPECT_EQ(target.At(0, 0), RGB(64, 191, 165));
}

TEST(AlphaBlendTest, PerPixelAlphaLaysAPremultipliedSourceOver) {
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 1, 1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  CBitmap dib;
  dib.Attach(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  ASSERT_NE(bits, nullptr);
  const BYTE pixel[4] = {0, 64, 128, 128};  // blue, green, red, alpha (premultiplied)
  std::memcpy(bits, pixel, 4);
  CDC source;
  source.CreateCompatibleDC(nullptr);
  CBitmap* old = source.SelectObject(&dib);

  struct Case {
    BYTE constant;
    COLORREF expected;
  };
  // d = s' + d * (255 - a') / 255 with s' = s * constant / 255, each step rounded.
  for (const Case& c : {Case{255, RGB(228, 164, 100)}, Case{128, RGB(214, 182, 150)}}) {
    Canvas target(1, 1);
    target.dc.SetPixel(0, 0, RGB(200, 200, 200));
    BLENDFUNCTION blend{AC_SRC_OVER, 0, c.constant, AC_SRC_ALPHA};
    EXPECT_TRUE(target.dc.AlphaBlend(0, 0, 1, 1, &source, 0, 0, 1, 1, blend));
    EXPECT_EQ(target.At(0, 0), c.expected) << int(c.constant);
  }
  source.SelectObject(old);
}

TEST(GradientFillTest, RectanglesRunFromTheFirstVertexColourTowardsTheSecond) {
  Canvas canvas(10, 10);
  TRIVERTEX v[2] = {{0, 0, 0xFF00, 0, 0, 0}, {10, 10, 0, 0, 0xFF00, 0}};
  GRADIENT_RECT rect{0, 1};
  ASSERT_TRUE(canvas.dc.GradientFill(v, 2, &rect, 1, GRADIENT_FILL_RECT_H));
  EXPECT_EQ(canvas.At(0, 5), RGB(255, 0, 0));
  // Column i of n: c1 + (c2 - c1) * i / n, truncated.
  EXPECT_EQ(canvas.At(9, 5), RGB(26, 0, 229));
  EXPECT_EQ(canvas.At(5, 0), RGB(128, 0, 127));

  ASSERT_TRUE(canvas.dc.GradientFill(v, 2, &rect, 1, GRADIENT_FILL_RECT_V));
  EXPECT_EQ(canvas.At(5, 0), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(5, 9), RGB(26, 0, 229));

  // Vertices given right to left keep their colours at their own ends.
  TRIVERTEX swapped[2] = {{10, 0, 0xFF00, 0, 0, 0}, {0, 10, 0, 0, 0xFF00, 0}};
  ASSERT_TRUE(canvas.dc.GradientFill(swapped, 2, &rect, 1, GRADIENT_FILL_RECT_H));
  EXPECT_EQ(canvas.At(0, 5), RGB(0, 0, 255));
  EXPECT_EQ(canvas.At(9, 5), RGB(229, 0, 26));

  GRADIENT_RECT bad{0, 2};
  EXPECT_FALSE(canvas.dc.GradientFill(v, 2, &bad, 1, GRADIENT_FILL_RECT_H));
}

}  // namespace
