#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "toolkit/ImageMemFile.h"
#include "toolkit/ImageObj.h"

namespace {

TEST(ImageObj, CreateNormalisesDepthAndPadsRows) {
  struct Case {
    DWORD width, bpp;
    WORD wantBpp;
    DWORD wantRowBytes, wantColors;
  };
  for (const Case c : {Case{3, 24, 24, 12, 0}, Case{3, 32, 24, 12, 0}, Case{3, 1, 1, 4, 2},
                       Case{3, 2, 4, 4, 16}, Case{5, 8, 8, 8, 256}, Case{33, 1, 1, 8, 2}}) {
    CImageObj image;
    ASSERT_NE(image.Create(c.width, 2, c.bpp, IMAGE_TYPE_BMP), nullptr);
    EXPECT_EQ(image.GetBpp(), c.wantBpp) << c.width << "x" << c.bpp;
    EXPECT_EQ(image.GetRowBytes(), c.wantRowBytes) << c.width << "x" << c.bpp;
    EXPECT_EQ(image.GetNumColors(), c.wantColors) << c.width << "x" << c.bpp;
    EXPECT_EQ(image.GetDibSize(), 40 + 4 * c.wantColors + 2 * c.wantRowBytes);
  }
}

TEST(ImageObj, RowsAreAddressedBottomUpAndBoundsChecked) {
  CImageObj image;
  ASSERT_NE(image.Create(3, 4, 24, IMAGE_TYPE_BMP), nullptr);
  EXPECT_EQ(image.GetBits(3), image.GetBits(0) + 3 * 12);
  EXPECT_EQ(image.GetBits(4), nullptr);
  BYTE* bottom = image.GetBits(0);
  bottom[0] = 1, bottom[1] = 2, bottom[2] = 3;
  const RGBQUAD c = image.GetPixelRgb(0, 0);
  EXPECT_EQ(c.rgbBlue, 1);
  EXPECT_EQ(c.rgbRed, 3);
  const RGBQUAD outside = image.GetPixelRgb(7, -1);
  EXPECT_EQ(outside.rgbRed, 3) << "outside the picture reads pixel (0, 0)";
}

TEST(ImageObj, RefusesEmptyAndOversizedPictures) {
  struct Case {
    DWORD width, height, bpp;
    const char* error;
  };
  // 65536 x 65536 at 24 bits is exactly 3 * 2^32 bytes: 32-bit arithmetic would see 0.
  for (const Case c : {Case{0, 5, 24, "CImageObj::Create : width and height must be greater than zero"},
                       Case{5, 0, 24, "CImageObj::Create : width and height must be greater than zero"},
                       Case{65536, 65536, 24, "CImageObj::Create : image too large"},
                       Case{1200, 600000, 24, "CImageObj::Create : image too large"},
                       Case{0xFFFFFFFF, 1, 1, "CImageObj::Create : image too large"}}) {
    CImageObj image;
    EXPECT_EQ(image.Create(c.width, c.height, c.bpp, IMAGE_TYPE_BMP), nullptr);
    EXPECT_STREQ(image.GetLastError(), c.error) << c.width << "x" << c.height;
    EXPECT_EQ(image.GetBits(0), nullptr);
  }
}

TEST(ImageObj, ViewSharesPixelsAndNeverFreesThem) {
  CImageObj source;
  ASSERT_NE(source.Create(2, 2, 24, IMAGE_TYPE_BMP), nullptr);
  source.GetBits(0)[0] = 0x77;
  {
    CImageObj view;
    view.MakeViewOf(source);
    EXPECT_EQ(view.GetBits(0), source.GetBits(0));
    EXPECT_FALSE(view.Destroy());
    EXPECT_EQ(view.Create(1, 1, 24, 0), nullptr);
  }
  EXPECT_EQ(source.GetBits(0)[0], 0x77);
  EXPECT_TRUE(source.Destroy());
}

TEST(ImageObj, ResolutionIsKeptInPelsPerMetre) {
  CImageObj image;
  EXPECT_EQ(image.GetDpiX(), 96);
  image.SetDpiX(300);
  image.SetDpiY(0);
  EXPECT_EQ(image.GetDpiX(), 300);
  EXPECT_EQ(image.GetDpiY(), 96) << "a resolution below 1 means 96";
}

TEST(ImageObj, GreyPaletteAndPaletteLookups) {
  CImageObj image;
  ASSERT_NE(image.Create(2, 1, 8, IMAGE_TYPE_PNG), nullptr);
  RGBQUAD* palette = image.GetPaletteEntries();
  ASSERT_NE(palette, nullptr);
  EXPECT_FALSE(image.HasGreyPalette()) << "a zeroed palette is all black";
  for (int i = 0; i < 256; ++i) palette[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
  EXPECT_TRUE(image.HasGreyPalette());
  image.GetBits(0)[1] = 200;
  EXPECT_EQ(image.GetPixelIndex(1, 0), 200);
  BYTE r = 0, g = 0, b = 0;
  EXPECT_TRUE(image.GetPaletteRgb(200, &r, &g, &b));
  EXPECT_EQ(r, 200);
  EXPECT_FALSE(image.GetPaletteRgb(256, &r, &g, &b));
}

TEST(ImageObj, EncodeRefusesUnknownTypesEmptyImagesAndFullBuffers) {
  CImageObj image;
  BYTE* buffer = nullptr;
  std::int32_t size = 0;
  EXPECT_FALSE(image.EncodeToMemory(buffer, size, IMAGE_TYPE_PNG));
  EXPECT_STREQ(image.GetLastError(), "null image!!!");
  EXPECT_EQ(buffer, nullptr);

  ASSERT_NE(image.Create(2, 2, 24, IMAGE_TYPE_BMP), nullptr);
  for (DWORD type : {2u, 5u, 0u}) {
    EXPECT_FALSE(image.EncodeToMemory(buffer, size, type));
    EXPECT_STREQ(image.GetLastError(), "Encode: Unknown format") << type;
  }
  EXPECT_FALSE(image.Encode(nullptr, IMAGE_TYPE_BMP));
  EXPECT_STREQ(image.GetLastError(), "null file handler");

  BYTE existing = 0;
  buffer = &existing;
  EXPECT_FALSE(image.EncodeToMemory(buffer, size, IMAGE_TYPE_BMP));
  EXPECT_STREQ(image.GetLastError(), "the buffer must be empty");
  EXPECT_EQ(buffer, &existing);
}

TEST(ImageObj, JpegQualityRoundsToTheNearestWhole) {
  CImageObj image;
  EXPECT_EQ(image.GetJpegQuality(), 90);
  image.SetJpegQuality(75);
  EXPECT_EQ(image.GetJpegQuality(), 75);
}

}  // namespace
