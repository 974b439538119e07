#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "toolkit/DibSectionNP.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kGround = RGB(10, 20, 30);
constexpr UINT kPictureId = 4711;

// A 3 x 2 24-bit bitmap resource: magenta with a green pixel at (1, 0) and a blue one at
// (2, 1). Rows bottom-up, each 9 bytes padded to 12.
std::vector<BYTE> PictureResource() {
  BITMAPINFOHEADER h{sizeof(BITMAPINFOHEADER), 3, 2, 1, 24, BI_RGB, 24, 0, 0, 0, 0};
  std::vector<BYTE> packed(sizeof h + 24, 0);
  std::memcpy(packed.data(), &h, sizeof h);
  const BYTE rows[24] = {
      255, 0, 255, 255, 0,   255, 200, 0, 0,   0, 0, 0,  // bottom row: magenta, magenta, blue
      255, 0, 255, 0,   128, 0,   255, 0, 255, 0, 0, 0,  // top row: magenta, green, magenta
  };
  std::memcpy(packed.data() + sizeof h, rows, sizeof rows);
  return packed;
}

class Picture : public ::testing::Test {
 protected:
  void SetUp() override {
    SetBitmapResourceProvider(
        [](UINT id) { return id == kPictureId ? PictureResource() : std::vector<BYTE>{}; });
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateCompatibleBitmap(nullptr, 6, 5);
    old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 6, 5, kGround);
  }
  void TearDown() override {
    dc.SelectObject(old);
    SetBitmapResourceProvider(nullptr);
  }
  CDC dc;
  CBitmap bitmap;
  CBitmap* old = nullptr;
};

TEST_F(Picture, TransparentDrawLeavesTheTargetWhereTheBitmapIsMagenta) {
  CDibSectionNP dib;
  ASSERT_TRUE(dib.LoadBitmap(kPictureId));
  dc.SetPixel(2, 2, RGB(99, 99, 99));
  dc.SetBkColor(RGB(7, 7, 7));
  dc.SetTextColor(RGB(8, 8, 8));
  EXPECT_TRUE(dib.Draw(&dc, 2, 2, TRUE));
  EXPECT_EQ(dc.GetPixel(2, 2), RGB(99, 99, 99));
  EXPECT_EQ(dc.GetPixel(4, 2), kGround);
  EXPECT_EQ(dc.GetPixel(2, 3), kGround);
  EXPECT_EQ(dc.GetPixel(3, 2), RGB(0, 128, 0));
  EXPECT_EQ(dc.GetPixel(4, 3), RGB(0, 0, 200));
  // The target's colours are as before.
  EXPECT_EQ(dc.GetBkColor(), RGB(7, 7, 7));
  EXPECT_EQ(dc.GetTextColor(), RGB(8, 8, 8));

  // The mask is kept: a second draw works the same.
  dc.FillSolidRect(0, 0, 6, 5, kGround);
  EXPECT_TRUE(dib.Draw(&dc, 0, 0, TRUE));
  EXPECT_EQ(dc.GetPixel(0, 0), kGround);
  EXPECT_EQ(dc.GetPixel(1, 0), RGB(0, 128, 0));
}

TEST_F(Picture, OpaqueDrawCopiesEveryPixel) {
  CDibSectionNP dib;
  ASSERT_TRUE(dib.LoadBitmap(kPictureId));
  EXPECT_TRUE(dib.Draw(&dc, 1, 1, FALSE));
  EXPECT_EQ(dc.GetPixel(1, 1), kMagenta);
  EXPECT_EQ(dc.GetPixel(2, 1), RGB(0, 128, 0));
  EXPECT_EQ(dc.GetPixel(3, 2), RGB(0, 0, 200));
  EXPECT_EQ(dc.GetPixel(4, 1), kGround);
}

TEST_F(Picture, EmptyOrMissingBitmapsDrawNothing) {
  CDibSectionNP dib;
  EXPECT_FALSE(dib.LoadBitmap(kPictureId + 1));
  EXPECT_FALSE(dib.Draw(&dc, 0, 0, TRUE));
  EXPECT_FALSE(dib.Draw(&dc, 0, 0, FALSE));
  EXPECT_EQ(dc.GetPixel(0, 0), kGround);
  EXPECT_FALSE(dib.CopyFromBitmap(nullptr, TRUE));
}

TEST_F(Picture, CopyFromBitmapMakesABottomUpSectionOfTheSameDepth) {
  // A bitmap is read while no context has it selected.
  dc.SelectObject(old);
  CDibSectionNP dib;
  ASSERT_TRUE(dib.CopyFromBitmap(bitmap, TRUE));
  CDibSectionNP blank;
  ASSERT_TRUE(blank.CopyFromBitmap(bitmap, FALSE));
  old = dc.SelectObject(&bitmap);
  dc.FillSolidRect(0, 0, 6, 5, RGB(0, 0, 0));
  EXPECT_TRUE(dib.Draw(&dc, 0, 0, FALSE));
  EXPECT_EQ(dc.GetPixel(5, 4), kGround);

  EXPECT_TRUE(blank.Draw(&dc, 0, 0, FALSE));
  EXPECT_EQ(dc.GetPixel(5, 4), RGB(0, 0, 0));
}

}  // namespace
