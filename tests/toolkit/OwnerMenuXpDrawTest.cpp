#include <gtest/gtest.h>

#include "tests/support/ui/EmulatedSystemOverride.h"
#include "tests/toolkit/MenuTestSupport.h"
#include "toolkit/MenuStyle.h"

namespace {

constexpr int kXpImageWidth = 16, kXpImageHeight = 16;

// A themed Windows XP: the XP style with picture variants.
class XpMenu : public ::testing::Test {
 protected:
  CEmulatedSystemOverride system;
  void SetUp() override {
    SetEmulatedWindowsVersion(VER_PLATFORM_WIN32_NT, 5, 1);
    SetCurrentThemeFile(u"C:\\WINDOWS\\Resources\\Themes\\Luna.theme");
    ASSERT_TRUE(IsXpMenuStyle());
    ASSERT_TRUE(menu.CreatePopupMenu());
    pictures = MakeRedSquareList();
    menu.AppendItem(u"&Open\tCtrl+O", 0, 1, pictures.get(), 0);  // 0: picture
    menu.AppendItem(u"Plain", 0, 2, nullptr, 0);                 // 1: no picture
    menu.AppendItem(nullptr, 0, 0, nullptr, 0);                  // 2: separator
    CSize size = MeasureMenuItem(menu, 0);
    item = CRect(10, 5, 10 + size.cx, 5 + size.cy);
    mid = item.top + item.Height() / 2;
    x0 = item.left + 4;  // (kXpImageWidth + 7 - kXpImageWidth) * 0.5 + 0.5 = 4
    y0 = item.top + int((item.Height() - kXpImageHeight) * 0.5 + 0.5);
  }

  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF background = DarkenColor(GetSysColor(COLOR_WINDOW), 0.02);
  const COLORREF column = GetSysColor(COLOR_BTNFACE);
  const COLORREF fill = LightenColor(GetSysColor(COLOR_HIGHLIGHT), 0.7);
  COwnerMenu menu;
  std::unique_ptr<CImageList> pictures;
  CCanvas canvas{400, 60};
  CRect item;
  int mid = 0, x0 = 0, y0 = 0;
};

}  // namespace

TEST_F(XpMenu, PictureCarriesItsThreeVariants) {
  const COwnerMenuData* record = menu.GetItemRecord(0);
  ASSERT_EQ(record->pItemImages->GetImageCount(), 4);
}

TEST_F(XpMenu, NormalItemHasAPictureColumnAndAFadedPicture) {
  DrawMenuItem(menu, 0, canvas, item, 0);
  EXPECT_EQ(canvas.At(item.left, item.top), column);
  EXPECT_EQ(canvas.At(item.left + kXpImageWidth + 6, mid), column);
  EXPECT_EQ(canvas.At(item.left + kXpImageWidth + 7, mid), background);
  EXPECT_EQ(canvas.At(item.right - 1, item.bottom - 1), background);
  // Red faded by 0.3: 0 + 255 * 0.3 = 76.5, truncated.
  EXPECT_EQ(canvas.At(x0 + 4, y0 + 4), RGB(255, 76, 76));
  EXPECT_EQ(canvas.At(x0 + 11, y0 + 11), RGB(255, 76, 76));
  EXPECT_EQ(canvas.At(x0 + 12, y0 + 12), column);
}

TEST_F(XpMenu, SelectedItemLiftsThePictureOffItsShadow) {
  DrawMenuItem(menu, 0, canvas, item, ODS_SELECTED);
  EXPECT_EQ(canvas.At(item.left, item.top), highlight);
  EXPECT_EQ(canvas.At(item.right - 1, item.bottom - 1), highlight);
  EXPECT_EQ(canvas.At(item.right - 2, item.top + 1), fill);
  // The plain picture one unit up and left, the shadow one unit down and right.
  EXPECT_EQ(canvas.At(x0 + 3, y0 + 3), kRed);
  EXPECT_EQ(canvas.At(x0 + 10, y0 + 10), kRed);
  EXPECT_EQ(canvas.At(x0 + 11, y0 + 11), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.At(x0 + 12, y0 + 12), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.At(x0 + 13, y0 + 13), fill);
  EXPECT_TRUE(canvas.Contains(CRect(item.left + kXpImageWidth + 15, item.top, item.right, item.bottom),
                              GetSysColor(COLOR_MENUTEXT)));
}

TEST_F(XpMenu, DisabledItemIsNeverHighlighted) {
  DrawMenuItem(menu, 0, canvas, item, ODS_SELECTED | ODS_GRAYED);
  EXPECT_FALSE(canvas.Contains(item, highlight));
  EXPECT_FALSE(canvas.Contains(item, fill));
  EXPECT_EQ(canvas.At(item.right - 2, item.top + 1), background);
  ASSERT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(128, 128, 128));
  EXPECT_EQ(canvas.At(x0 + 4, y0 + 4), RGB(170, 170, 170));  // the disabled variant
  CRect text(item.left + kXpImageWidth + 15, item.top, item.right, item.bottom);
  EXPECT_TRUE(canvas.Contains(text, GetSysColor(COLOR_GRAYTEXT)));
  EXPECT_FALSE(canvas.Contains(item, GetSysColor(COLOR_MENUTEXT)));
}

TEST_F(XpMenu, CheckedItemsSitInATintedBox) {
  CRect box(item.left + 1, item.top + 1, item.left + kXpImageWidth + 5, item.bottom - 1);
  DrawMenuItem(menu, 0, canvas, item, ODS_CHECKED);
  EXPECT_EQ(canvas.At(box.left, box.top), highlight);
  EXPECT_EQ(canvas.At(box.left + 1, box.top + 1), LightenColor(highlight, 0.85));
  EXPECT_EQ(canvas.At(x0 + 3, y0 + 3), kRed);  // plain picture, lifted

  CCanvas plain(400, 60);
  DrawMenuItem(menu, 1, plain, item, ODS_CHECKED | ODS_SELECTED);
  EXPECT_EQ(plain.At(box.left, box.top), highlight);
  EXPECT_EQ(plain.At(box.left + 1, box.bottom - 2), LightenColor(highlight, 0.55));
  // The mark sits at the box corner + (w / 2 - 3, h / 2 - 3); its first stroke starts 2 down.
  const int a = box.left + box.Width() / 2 - 3, b = box.top + box.Height() / 2 - 3;
  EXPECT_EQ(plain.At(a, b + 2), GetSysColor(COLOR_MENUTEXT));
  EXPECT_EQ(plain.At(a + 6, b), GetSysColor(COLOR_MENUTEXT));
  EXPECT_EQ(plain.At(a, b + 1), LightenColor(highlight, 0.55));
}

TEST_F(XpMenu, SeparatorRunsFromBesideThePictureColumn) {
  CRect separator(item.left, item.top, item.right, item.top + MeasureMenuItem(menu, 2).cy);
  ASSERT_EQ(separator.Height(), 3);
  DrawMenuItem(menu, 2, canvas, separator, 0);
  const int line = separator.top + 1;
  EXPECT_EQ(canvas.At(separator.left + kXpImageWidth + 6, line), column);
  EXPECT_EQ(canvas.At(separator.left + kXpImageWidth + 7 + 6, line), background);
  EXPECT_EQ(canvas.At(separator.left + kXpImageWidth + 7 + 7, line), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.At(separator.right - 1, separator.top), background);
}
