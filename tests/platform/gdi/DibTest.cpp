#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/platform/gdi/Canvas.h"

namespace {

BITMAPINFO Header(int width, int height, int bits) {
  BITMAPINFO info{};
  info.bmiHeader =
      BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, WORD(bits), BI_RGB, 0, 0, 0, 0, 0};
  return info;
}

class ThreeByTwo : public ::testing::Test {
 protected:
  void SetUp() override {
    int v = 1;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x, v += 3) canvas.dc.SetPixel(x, y, RGB(v, v + 1, v + 2));
  }
  Canvas canvas{3, 2};
};

TEST_F(ThreeByTwo, GetDIBitsGivesBottomUpBgrRowsPaddedToFourBytes) {
  BITMAPINFO info = Header(3, 2, 24);
  std::vector<BYTE> bits(24, 0xEE);
  EXPECT_EQ(GetDIBits(canvas.dc, canvas.bitmap, 0, 2, bits.data(), &info, DIB_RGB_COLORS), 2);
  const std::vector<BYTE> expected = {
      12, 11, 10, 15, 14, 13, 18, 17, 16, 0, 0, 0,  // bottom row first
      3,  2,  1,  6,  5,  4,  9,  8,  7,  0, 0, 0,  // then the top row
  };
  EXPECT_EQ(bits, expected);
  EXPECT_EQ(info.bmiHeader.biSizeImage, 24u);
}

TEST_F(ThreeByTwo, GetDIBitsTopDownAndThirtyTwoBits) {
  BITMAPINFO info = Header(3, -2, 32);
  std::vector<BYTE> bits(24);
  EXPECT_EQ(GetDIBits(canvas.dc, canvas.bitmap, 0, 2, bits.data(), &info, DIB_RGB_COLORS), 2);
  const std::vector<BYTE> expected = {
      3,  2,  1,  0, 6,  5,  4,  0, 9,  8,  7,  0,  // top row first
      12, 11, 10, 0, 15, 14, 13, 0, 18, 17, 16, 0,
  };
  EXPECT_EQ(bits, expected);

  BITMAPINFO query{};
  query.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  EXPECT_NE(GetDIBits(canvas.dc, canvas.bitmap, 0, 2, nullptr, &query, DIB_RGB_COLORS), 0);
  EXPECT_EQ(query.bmiHeader.biWidth, 3);
  EXPECT_EQ(query.bmiHeader.biHeight, 2);
  EXPECT_EQ(query.bmiHeader.biBitCount, 32);
}

TEST(DibSectionTest, BitsAndDrawingSeeEachOther) {
  BITMAPINFO info = Header(3, 2, 24);
  void* raw = nullptr;
  CBitmap dib;
  ASSERT_TRUE(dib.Attach(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &raw, nullptr, 0)));
  auto* bits = static_cast<BYTE*>(raw);
  DIBSECTION ds{};
  ASSERT_EQ(dib.GetObject(sizeof ds, &ds), int(sizeof ds));
  EXPECT_EQ(ds.dsBm.bmBits, raw);
  EXPECT_EQ(ds.dsBm.bmWidthBytes, 12);
  EXPECT_EQ(ds.dsBm.bmBitsPixel, 24);

  // The first stored row is the bottom one.
  bits[0] = 30;
  bits[1] = 20;
  bits[2] = 10;
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap* old = dc.SelectObject(&dib);
  EXPECT_EQ(dc.GetPixel(0, 1), RGB(10, 20, 30));
  bits[3] = 3;  // written while selected
  EXPECT_EQ(dc.GetPixel(1, 1), RGB(0, 0, 3));

  dc.SetPixel(2, 0, RGB(1, 2, 3));
  EXPECT_EQ(bits[12 + 6], 3);
  EXPECT_EQ(bits[12 + 7], 2);
  EXPECT_EQ(bits[12 + 8], 1);
  dc.FillSolidRect(0, 0, 3, 1, RGB(200, 100, 50));
  EXPECT_EQ(bits[12], 50);
  EXPECT_EQ(bits[13], 100);
  EXPECT_EQ(bits[14], 200);
  EXPECT_EQ(bits[0], 30);  // the bottom row is untouched
  dc.SelectObject(old);
}

TEST(DibSectionTest, OneBitSectionsUseTheirColourTable) {
  std::vector<BYTE> storage(sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD));
  auto* info = reinterpret_cast<BITMAPINFO*>(storage.data());
  info->bmiHeader = Header(8, 1, 1).bmiHeader;
  info->bmiColors[0] = RGBQUAD{0, 0, 0, 0};
  reinterpret_cast<RGBQUAD*>(info->bmiColors)[1] = RGBQUAD{255, 255, 255, 0};
  void* raw = nullptr;
  CBitmap dib;
  ASSERT_TRUE(dib.Attach(CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &raw, nullptr, 0)));
  static_cast<BYTE*>(raw)[0] = 0x80;
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap* old = dc.SelectObject(&dib);
  EXPECT_EQ(dc.GetPixel(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(dc.GetPixel(1, 0), RGB(0, 0, 0));
  dc.SetPixel(7, 0, RGB(250, 250, 250));  // nearest table colour: white
  EXPECT_EQ(static_cast<BYTE*>(raw)[0], 0x81);
  dc.SelectObject(old);
}

TEST(DibSectionTest, InvalidHeadersAreRefused) {
  void* bits = reinterpret_cast<void*>(1);
  BITMAPINFO zeroWidth = Header(0, 2, 24);
  EXPECT_EQ(CreateDIBSection(nullptr, &zeroWidth, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
  BITMAPINFO oddDepth = Header(2, 2, 12);
  EXPECT_EQ(CreateDIBSection(nullptr, &oddDepth, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
}

TEST(PackedDibTest, ResourceFormBitmapsLoadAndTruncatedOnesAreRefused) {
  // A 2 x 1 24-bit bitmap: header, then one row of 6 bytes padded to 8.
  std::vector<BYTE> packed(sizeof(BITMAPINFOHEADER) + 8, 0);
  BITMAPINFOHEADER h = Header(2, 1, 24).bmiHeader;
  std::memcpy(packed.data(), &h, sizeof h);
  const BYTE row[6] = {0, 0, 255, 255, 0, 0};  // red, blue
  std::memcpy(packed.data() + sizeof h, row, sizeof row);

  CBitmap ddb;
  ASSERT_TRUE(ddb.Attach(CreateBitmapFromPackedDib(packed.data(), packed.size(), false)));
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap* old = dc.SelectObject(&ddb);
  EXPECT_EQ(dc.GetPixel(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(dc.GetPixel(1, 0), RGB(0, 0, 255));
  dc.SelectObject(old);

  EXPECT_EQ(CreateBitmapFromPackedDib(packed.data(), packed.size() - 1, false), nullptr);
  EXPECT_EQ(CreateBitmapFromPackedDib(packed.data(), 20, true), nullptr);
}

}  // namespace
