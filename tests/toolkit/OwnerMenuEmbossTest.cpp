#include <gtest/gtest.h>

#include "tests/toolkit/MenuTestSupport.h"

namespace {

// A 16 x 16 picture: a black square from (4, 4) to (11, 11) on button face.
void MakePicture(CBitmap& picture) {
  picture.CreateBitmap(16, 16, 1, 32, nullptr);
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap* previous = dc.SelectObject(&picture);
  dc.FillSolidRect(0, 0, 16, 16, GetSysColor(COLOR_BTNFACE));
  dc.FillSolidRect(4, 4, 8, 8, RGB(0, 0, 0));
  dc.SelectObject(previous);
}

constexpr COLORREF kBackground = RGB(40, 80, 120);

}  // namespace

// The shape in the shadow colour with a highlight edge one unit right and below, on the
// background colour.
TEST(OwnerMenuEmboss, EmbossedPictureIsShadowWithAHighlightEdge) {
  CCanvas canvas(40, 40);
  CBitmap picture;
  MakePicture(picture);
  const int x = 10, y = 10;
  COwnerMenu::DrawEmbossed(canvas.Dc(), x, y, 16, 16, picture, 0, 0, kBackground);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(canvas.At(x + 4, y + 4), shadow);
  EXPECT_EQ(canvas.At(x + 11, y + 11), shadow);
  EXPECT_EQ(canvas.At(x + 12, y + 12), highlight);
  EXPECT_EQ(canvas.At(x + 12, y + 5), highlight);
  EXPECT_EQ(canvas.At(x + 5, y + 12), highlight);
  EXPECT_EQ(canvas.At(x + 12, y + 4), kBackground);
  EXPECT_EQ(canvas.At(x + 3, y + 3), kBackground);
  EXPECT_EQ(canvas.At(x, y), kBackground);
  // The first copy, one unit right and down, leaves its last column and row behind.
  EXPECT_EQ(canvas.At(x + 16, y + 16), kBackground);
  EXPECT_EQ(canvas.At(x + 16, y), kUntouched);
}

TEST(OwnerMenuEmboss, DibEmbossingDrawsTheSameShapeOnTheFilledRectangle) {
  CCanvas canvas(40, 40);
  CBitmap picture;
  MakePicture(picture);
  const int x = 10, y = 10;
  EXPECT_TRUE(COwnerMenu::DrawEmbossedDib(canvas.Dc(), x, y, 16, 16, picture, 0, 0, kBackground));
  EXPECT_EQ(canvas.At(x + 4, y + 4), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.At(x + 11, y + 11), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.At(x + 12, y + 12), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(canvas.At(x + 3, y + 3), kBackground);
  EXPECT_EQ(canvas.At(x + 15, y + 15), kBackground);
  EXPECT_EQ(canvas.At(x + 16, y + 16), kUntouched);
}
