#include <gtest/gtest.h>

#include "toolkit/MemDCExt.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kOld = RGB(1, 2, 3);

// A window-like target: a memory context over a colour bitmap holding an old picture.
class Target : public ::testing::Test {
 protected:
  void SetUp() override {
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateCompatibleBitmap(nullptr, 40, 40);
    old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 40, 40, kOld);
    dc.SetBkColor(kWhite);
  }
  void TearDown() override { dc.SelectObject(old); }
  CDC dc;
  CBitmap bitmap;
  CBitmap* old = nullptr;
};

TEST_F(Target, PictureReachesTheTargetOnlyWhenTheContextIsDestroyed) {
  {
    CMemDCExt memory(&dc, CRect(10, 10, 30, 30));
    memory.FillSolidRect(12, 12, 2, 2, kRed);
    EXPECT_EQ(dc.GetPixel(12, 12), kOld);
  }
  EXPECT_EQ(dc.GetPixel(12, 12), kRed);
  EXPECT_EQ(dc.GetPixel(10, 10), kWhite);  // the rectangle starts in the background colour
  EXPECT_EQ(dc.GetPixel(29, 29), kWhite);
  EXPECT_EQ(dc.GetPixel(30, 30), kOld);
  EXPECT_EQ(dc.GetPixel(9, 9), kOld);
}

TEST_F(Target, WithoutARectangleTheClipBoxIsPainted) {
  dc.IntersectClipRect(5, 5, 8, 8);
  { CMemDCExt memory(&dc); }
  dc.SelectClipRgn(nullptr);
  EXPECT_EQ(dc.GetPixel(5, 5), kWhite);
  EXPECT_EQ(dc.GetPixel(7, 7), kWhite);
  EXPECT_EQ(dc.GetPixel(8, 8), kOld);
}

TEST_F(Target, NoCopyBackKeepsTheOldPicture) {
  {
    CMemDCExt memory(&dc, CRect(0, 0, 20, 20));
    memory.FillSolidRect(0, 0, 20, 20, kRed);
    memory.bNoCopyBack = true;
  }
  EXPECT_EQ(dc.GetPixel(5, 5), kOld);
}

TEST_F(Target, CallerKeepsTheTargetsCoordinatesAndMapping) {
  dc.SetMapMode(MM_ANISOTROPIC);
  dc.SetWindowExt(2, 2);
  dc.SetViewportExt(1, 1);  // two logical units per pixel
  dc.SetWindowOrg(100, 100);
  {
    CMemDCExt memory(&dc, CRect(120, 120, 160, 160));
    memory.FillSolidRect(130, 130, 4, 4, kRed);
  }
  dc.SetMapMode(MM_TEXT);
  dc.SetWindowOrg(0, 0);
  EXPECT_EQ(dc.GetPixel(15, 15), kRed);
  EXPECT_EQ(dc.GetPixel(16, 16), kRed);
  EXPECT_EQ(dc.GetPixel(17, 17), kWhite);
  EXPECT_EQ(dc.GetPixel(10, 10), kWhite);
  EXPECT_EQ(dc.GetPixel(30, 30), kOld);
}

TEST_F(Target, UpwardMappingModesPaintTheRightDeviceArea) {
  dc.SetMapMode(MM_LOMETRIC);           // 254 units per inch at 96 dpi, y upwards
  dc.IntersectClipRect(0, 0, 64, -64);  // device (0, 0, 24, 24)
  {
    CMemDCExt memory(&dc);
    memory.FillSolidRect(CRect(0, 0, 27, -27), kRed);
  }
  dc.SelectClipRgn(nullptr);
  dc.SetMapMode(MM_TEXT);
  EXPECT_EQ(dc.GetPixel(0, 0), kRed);
  EXPECT_EQ(dc.GetPixel(9, 9), kRed);
  EXPECT_EQ(dc.GetPixel(11, 11), kWhite);
  EXPECT_EQ(dc.GetPixel(23, 23), kWhite);
  EXPECT_EQ(dc.GetPixel(24, 24), kOld);
}

TEST_F(Target, OnAPrinterItDrawsDirectlyAndCopiesNothing) {
  dc.m_bPrinting = TRUE;
  {
    CMemDCExt memory(&dc, CRect(0, 0, 20, 20));
    EXPECT_TRUE(memory.IsPrinting());
    memory.FillSolidRect(3, 3, 1, 1, kRed);
    EXPECT_EQ(dc.GetPixel(3, 3), kRed);
    memory.bNoCopyBack = false;
  }
  EXPECT_EQ(dc.GetPixel(3, 3), kRed);
  EXPECT_EQ(dc.GetPixel(19, 19), kWhite);  // filled with the background colour at the start
  EXPECT_EQ(dc.GetPixel(25, 25), kOld);
  // The target's context survives the borrowing.
  EXPECT_EQ(dc.SetPixel(30, 30, kRed), kRed);
}

}  // namespace
