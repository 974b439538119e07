#include <gtest/gtest.h>

#include "tests/support/ui/EmulatedSystemOverride.h"
#include "tests/toolkit/MenuTestSupport.h"
#include "toolkit/MenuStyle.h"

namespace {

constexpr int W = 16, H = 16;

// Items of one popup, drawn one at a time into the same rectangle of a fresh canvas. The
// system is Windows 2000, whose code (6) lets the classic style draw its 3-D frames.
class ClassicMenu : public ::testing::Test {
 protected:
  CEmulatedSystemOverride system;
  void SetUp() override {
    SetEmulatedWindowsVersion(VER_PLATFORM_WIN32_NT, 5, 0);
    ASSERT_TRUE(menu.CreatePopupMenu());
    pictures = MakeRedSquareList();
    menu.AppendItem(u"&Open\tCtrl+O", 0, 1, pictures.get(), 0);     // 0: picture
    menu.AppendItem(u"Plain", 0, 2, nullptr, 0);                    // 1: no picture
    menu.AppendItem(nullptr, 0, 0, nullptr, 0);                     // 2: separator
    menu.AppendItem(u"A much longer label\tF4", 0, 3, nullptr, 0);  // 3: the widest label
    for (int i = 0; i < 4; ++i) MeasureMenuItem(menu, i);
    CSize size = MeasureMenuItem(menu, 0);
    item = CRect(10, 5, 10 + size.cx, 5 + size.cy);
    g = std::max(0, (item.bottom - H - item.top - 4) / 2);
    mid = item.top + item.Height() / 2;
  }

  COLORREF menuColor = GetSysColor(COLOR_MENU);
  COwnerMenu menu;
  std::unique_ptr<CImageList> pictures;
  CCanvas canvas{400, 60};
  CRect item;
  int g = 0;
  int mid = 0;
};

}  // namespace

TEST_F(ClassicMenu, SelectedItemWithPictureIsHighlightedRightOfThePictureBox) {
  DrawMenuItem(menu, 0, canvas, item, ODS_SELECTED);
  const int L = item.left, T = item.top;
  EXPECT_EQ(canvas.At(L + W + 4, mid), kUntouched);
  EXPECT_EQ(canvas.At(L + W + 5, mid), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(canvas.At(item.right - 1, item.bottom - 1), GetSysColor(COLOR_HIGHLIGHT));
  // The raised box around the picture, the picture inside it on the menu colour.
  EXPECT_EQ(canvas.At(L, T + g), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(canvas.At(L + W + 3, T + g + H + 3), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.At(L + 1, T + g + 1), menuColor);
  EXPECT_EQ(canvas.At(L + 2, T + g + 2), menuColor);
  EXPECT_EQ(canvas.At(L + 2 + 4, T + g + 2 + 4), kRed);
  EXPECT_EQ(canvas.At(L + 2 + 11, T + g + 2 + 11), kRed);
  EXPECT_EQ(canvas.At(L + 2 + 12, T + g + 2 + 12), menuColor);
  EXPECT_TRUE(
      canvas.Contains(CRect(L + W + 9, T, item.right, item.bottom), GetSysColor(COLOR_HIGHLIGHTTEXT)));
}

TEST_F(ClassicMenu, SelectedItemWithoutPictureIsHighlightedOverItsWholeWidth) {
  DrawMenuItem(menu, 1, canvas, item, ODS_SELECTED);
  EXPECT_EQ(canvas.At(item.left, item.top), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(canvas.At(item.left + W + 4, mid), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(canvas.At(item.right - 1, item.bottom - 1), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(canvas.At(item.right, mid), kUntouched);
}

TEST_F(ClassicMenu, CheckedItemWithPictureSitsSunkenOnALighterFace) {
  DrawMenuItem(menu, 0, canvas, item, ODS_CHECKED);
  const int L = item.left, T = item.top;
  EXPECT_EQ(canvas.At(L, T + g), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.At(L + W + 3, T + g + H + 3), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(canvas.At(L + 2, T + g + 2), LightenColor(menuColor, 0.6));
  EXPECT_EQ(canvas.At(L + 2 + 7, T + g + 2 + 7), kRed);
  EXPECT_EQ(canvas.At(item.right - 1, mid), menuColor);
}

TEST_F(ClassicMenu, CheckedItemWithoutPictureShowsTheCheckMarkInASunkenBox) {
  DrawMenuItem(menu, 1, canvas, item, ODS_CHECKED);
  const int L = item.left, T = item.top;
  CRect box(L + 1, T + g + 2, L + W + 1, T + g + 2 + H);
  const COLORREF face = LightenColor(menuColor, 0.6);
  EXPECT_EQ(canvas.At(box.left, box.top), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.At(box.right - 1, box.bottom - 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(canvas.At(box.left + 2, box.bottom - 3), face);
  // Seven strokes, three pixels each, from box corner + (4, 4).
  const int a = box.left + 4, b = box.top + 4;
  const int tops[7] = {2, 3, 4, 3, 2, 1, 0};
  const COLORREF mark = GetSysColor(COLOR_MENUTEXT);
  for (int i = 0; i < 7; ++i) {
    for (int k = 0; k < 3; ++k) EXPECT_EQ(canvas.At(a + i, b + tops[i] + k), mark) << i << " " << k;
    EXPECT_EQ(canvas.At(a + i, b + tops[i] - 1), face) << i;
    EXPECT_EQ(canvas.At(a + i, b + tops[i] + 3), face) << i;
  }
  EXPECT_EQ(canvas.At(a + 7, b + 2), face);
}

TEST_F(ClassicMenu, SelectedCheckedItemWithoutPictureIsHighlightedRightOfTheBox) {
  DrawMenuItem(menu, 1, canvas, item, ODS_SELECTED | ODS_CHECKED);
  CRect box(item.left + 1, item.top + g + 2, item.left + W + 1, item.top + g + 2 + H);
  EXPECT_EQ(canvas.At(box.left + 2, box.bottom - 3), menuColor);
  EXPECT_EQ(canvas.At(item.left + W + 5, mid), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(ClassicMenu, DisabledItemShowsEmbossedGreyTextUnlessSelected) {
  CRect text(item.left + W + 9, item.top, item.right, item.bottom);
  DrawMenuItem(menu, 1, canvas, item, ODS_GRAYED);
  EXPECT_TRUE(canvas.Contains(text + CPoint(1, 1), GetSysColor(COLOR_BTNHIGHLIGHT)));
  EXPECT_TRUE(canvas.Contains(text, GetSysColor(COLOR_GRAYTEXT)));
  EXPECT_FALSE(canvas.Contains(item, GetSysColor(COLOR_MENUTEXT)));

  CCanvas selected(400, 60);
  DrawMenuItem(menu, 1, selected, item, ODS_GRAYED | ODS_SELECTED);
  EXPECT_EQ(selected.At(item.left, mid), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_TRUE(selected.Contains(text, menuColor));
  EXPECT_FALSE(selected.Contains(item, GetSysColor(COLOR_GRAYTEXT)));
}

TEST_F(ClassicMenu, DisabledPictureIsWashedOut) {
  ASSERT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(128, 128, 128));
  DrawMenuItem(menu, 0, canvas, item, ODS_GRAYED);
  const int x = item.left + 2, y = item.top + g + 2;
  // Red has the mean intensity 85: shadow grey lightened by 85/255, 128 + 127/3 = 170.
  EXPECT_EQ(canvas.At(x + 4, y + 4), RGB(170, 170, 170));
  EXPECT_EQ(canvas.At(x + 11, y + 11), RGB(170, 170, 170));
  EXPECT_EQ(canvas.At(x, y), menuColor);
  EXPECT_EQ(canvas.At(x + 15, y + 15), menuColor);
}

TEST_F(ClassicMenu, SeparatorIsAnEtchedLineAcrossTheMiddle) {
  CRect separator(item.left, item.top, item.right, item.top + MeasureMenuItem(menu, 2).cy);
  DrawMenuItem(menu, 2, canvas, separator, 0);
  const int line = separator.top + separator.Height() / 2;
  EXPECT_EQ(canvas.At(separator.left + 5, line - 1), menuColor);
  EXPECT_EQ(canvas.At(separator.left + 5, line), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.At(separator.left + 5, line + 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(canvas.At(separator.right - 1, separator.top), menuColor);
}

TEST_F(ClassicMenu, LabelsStartAfterThePictureAndAcceleratorsLineUp) {
  DrawMenuItem(menu, 0, canvas, item, 0);
  const COLORREF ink = GetSysColor(COLOR_MENUTEXT);
  const int textLeft = item.left + W + 9;
  EXPECT_FALSE(canvas.Contains(CRect(item.left + W + 4, item.top, textLeft, item.bottom), ink));
  EXPECT_TRUE(canvas.Contains(CRect(textLeft, item.top, textLeft + 3, item.bottom), ink));
  // "&Open" is far shorter than the widest label; "Ctrl+O" starts after the widest label.
  CDC& dc = canvas.Dc();
  const int labelEnd = textLeft + dc.GetTextExtent(CString(u"Open")).cx + 2;
  const int acceleratorLeft = textLeft + dc.GetTextExtent(CString(u"A much longer label")).cx + 10;
  EXPECT_FALSE(canvas.Contains(CRect(labelEnd, item.top, acceleratorLeft, item.bottom), ink));
  EXPECT_TRUE(canvas.Contains(CRect(acceleratorLeft, item.top, acceleratorLeft + 4, item.bottom), ink));
}
