#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QWidget>

#include "platform/gdi/ImageList.h"
#include "platform/ui/ResourceIcons.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WndWidget.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/platform/gdi/Canvas.h"

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
// Colours of the drawing (resources/icons/draw-517.py).
constexpr COLORREF kOutline = RGB(0x00, 0x00, 0x00);
constexpr COLORREF kArrow = RGB(0xC0, 0x10, 0x10);
constexpr COLORREF kSteel = RGB(0x90, 0x9C, 0xA8);
constexpr COLORREF kHighlight = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kCoating = RGB(0xE0, 0x70, 0x20);

struct SPixel {
  int x, y;
  COLORREF colour;  // kGrey: transparent, the grey target shows through
};

class ProgramIcon : public ::testing::Test {
 protected:
  void SetUp() override { RegisterProgramResources(nullptr); }
  CUiApplication application;
};

TEST_F(ProgramIcon, Icon517LoadsAtThirtyTwoPixelsWithItsDrawnPixels) {
  HICON icon = LoadIcon(nullptr, MAKEINTRESOURCEW(IDR_MAINFRAME));
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP bitmap{};
  GetObject(info.hbmColor, sizeof bitmap, &bitmap);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  EXPECT_EQ(bitmap.bmWidth, 32);
  EXPECT_EQ(bitmap.bmHeight, 32);

  Canvas target(32, 32);
  target.dc.FillSolidRect(0, 0, 32, 32, kGrey);
  ASSERT_TRUE(DrawIcon(target.dc.GetSafeHdc(), 0, 0, icon));
  const SPixel pixels[] = {
      {0, 0, kGrey},       {31, 31, kGrey},   {15, 3, kArrow},   {15, 1, kOutline}, {16, 16, kSteel},
      {8, 16, kHighlight}, {3, 24, kCoating}, {2, 22, kOutline}, {1, 24, kGrey},
  };
  for (const SPixel& p : pixels) EXPECT_EQ(target.At(p.x, p.y), p.colour) << p.x << "," << p.y;
}

TEST_F(ProgramIcon, AWindowWithIcon517OffersItsSixteenPixelPictureToo) {
  CWnd window;
  ASSERT_TRUE(window.CreateEx(0, nullptr, u"icon", WS_OVERLAPPEDWINDOW, CRect(0, 0, 80, 60), nullptr, 0));
  window.SetIcon(LoadIcon(nullptr, MAKEINTRESOURCEW(IDR_MAINFRAME)), TRUE);
  const QIcon shown = window.GetWidget()->Widget()->windowIcon();
  ASSERT_TRUE(shown.availableSizes().contains(QSize(16, 16)));
  ASSERT_TRUE(shown.availableSizes().contains(QSize(32, 32)));
  const QImage small = shown.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(small.size(), QSize(16, 16));
  const struct {
    int x, y;
    QRgb argb;
  } pixels[] = {
      {7, 2, 0xFFC01010}, {5, 9, 0xFFFFFFFF}, {7, 13, 0xFFE07020}, {4, 8, 0xFF000000}, {0, 0, 0x00000000},
  };
  for (const auto& p : pixels) EXPECT_EQ(small.pixel(p.x, p.y), p.argb) << p.x << "," << p.y;
  window.DestroyWindow();
}

}  // namespace
