#include <gtest/gtest.h>

#include "platform/gdi/GuiApplication.h"
#include "tests/support/ui/EmulatedSystemOverride.h"
#include "tests/toolkit/MenuTestSupport.h"

namespace {

const char16_t* kLuna = u"C:\\WINDOWS\\Resources\\Themes\\Luna.theme";

// The width of a text as the menus measure it: with the menu font selected, or with the
// context's own font on systems whose code is 1 or below.
int TextWidth(const CString& text, bool menuFont) {
  EnsureGuiApplication();
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CFont font;
  LOGFONT logFont = GetMenuLogFont();
  font.CreateFontIndirect(&logFont);
  CFont* previous = menuFont ? dc.SelectObject(&font) : nullptr;
  int width = dc.GetTextExtent(text).cx;
  if (previous) dc.SelectObject(previous);
  return width;
}

COwnerMenu& BuildMenu(COwnerMenu& menu) {
  EXPECT_TRUE(menu.CreatePopupMenu());
  menu.SetIconSize(16, 16);
  menu.AppendItem(u"Open", 0, 1, nullptr, 0);
  menu.AppendItem(u"Copy\tCtrl+C", 0, 2, nullptr, 0);
  menu.AppendItem(nullptr, MF_CHECKED | MF_BYPOSITION, 0, nullptr, 0);
  menu.AppendItem(u"A much longer label\tAlt+F4", 0, 3, nullptr, 0);
  return menu;
}

}  // namespace

TEST(OwnerMenuAppend, IdZeroMakesASeparatorWhateverTheFlagsBesidesByPosition) {
  COwnerMenu menu;
  BuildMenu(menu);
  const COwnerMenuData* separator = menu.GetItemRecord(2);
  ASSERT_NE(separator, nullptr);
  EXPECT_EQ(separator->nItemFlags, MF_BYPOSITION | MF_SEPARATOR | MF_OWNERDRAW);
  EXPECT_EQ(menu.GetMenuState(2, MF_BYPOSITION), MF_SEPARATOR | MF_OWNERDRAW);
  const COwnerMenuData* open = menu.GetItemRecord(0);
  EXPECT_EQ(open->nItemFlags, MF_OWNERDRAW);
  EXPECT_EQ(open->strItemText, CString(u"Open"));
  EXPECT_EQ(open->nHasImage, -1);
  EXPECT_EQ(open->nMenuImage, -1);
  EXPECT_EQ(open->pOwnerMenu, &menu);
  EXPECT_EQ(GetMenuItemData(menu, 0, MF_BYPOSITION), reinterpret_cast<ULONG_PTR>(open));
}

TEST(OwnerMenuAppend, AnItemPictureIsCopiedIntoTheItemsOwnList) {
  COwnerMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  auto pictures = MakeRedSquareList();
  menu.AppendItem(u"Picture", 0, 5, pictures.get(), 0);
  const COwnerMenuData* record = menu.GetItemRecord(0);
  EXPECT_EQ(record->nItemImage, 0);
  EXPECT_EQ(record->nHasImage, 0);
  ASSERT_NE(record->pItemImages, nullptr);
  // The classic style keeps the picture alone, without derived variants.
  EXPECT_EQ(record->pItemImages->GetImageCount(), 1);
}

TEST(OwnerMenuMeasure, ClassicSizesGrowWithTheWidestLabelAndAccelerator) {
  COwnerMenu menu;
  BuildMenu(menu);
  const int menuHeight = GetSystemMetrics(SM_CYMENU);
  const int height = std::max(16 + 4, menuHeight);

  int open = TextWidth(u"Open", false);
  EXPECT_EQ(MeasureMenuItem(menu, 0), CSize(2 * 16 + open + 0 + 10 + 1, height));
  int label = std::max(open, TextWidth(u"Copy", false));
  int accelerator = TextWidth(u"Ctrl+C", false);
  EXPECT_EQ(MeasureMenuItem(menu, 1), CSize(2 * 16 + label + accelerator + 10 + 1, height));
  EXPECT_EQ(MeasureMenuItem(menu, 2), CSize(0, std::max((16 + 4) / 2, menuHeight / 2)));

  // A longer label makes every item as wide; widths never shrink.
  label = TextWidth(u"A much longer label", false);
  accelerator = std::max(accelerator, TextWidth(u"Alt+F4", false));
  CSize widest(2 * 16 + label + accelerator + 10 + 1, height);
  EXPECT_EQ(MeasureMenuItem(menu, 3), widest);
  EXPECT_EQ(MeasureMenuItem(menu, 0), widest);
}

TEST(OwnerMenuMeasure, ClassicSeparatorIsHalfTheIconHeightWithPadding) {
  COwnerMenu menu;
  BuildMenu(menu);
  menu.SetIconSize(16, 30);
  EXPECT_EQ(MeasureMenuItem(menu, 2).cy, std::max((30 + 4) / 2, GetSystemMetrics(SM_CYMENU) / 2));
  EXPECT_EQ(MeasureMenuItem(menu, 0).cy, std::max(34, GetSystemMetrics(SM_CYMENU)));
}

TEST(OwnerMenuMeasure, OldestSystemsMeasureOnlyTheAccelerator) {
  CEmulatedSystemOverride system;
  SetEmulatedWindowsVersion(VER_PLATFORM_WIN32_WINDOWS, 3, 95);
  COwnerMenu menu;
  BuildMenu(menu);
  EXPECT_EQ(MeasureMenuItem(menu, 1).cx, 2 * 16 + TextWidth(u"Ctrl+C", false) + 10 + 1);
}

TEST(OwnerMenuMeasure, XpSizesUseTheMenuFontAndTheWiderPadding) {
  CEmulatedSystemOverride system;
  SetEmulatedWindowsVersion(VER_PLATFORM_WIN32_NT, 5, 1);
  SetCurrentThemeFile(kLuna);
  COwnerMenu menu;
  BuildMenu(menu);
  const int height = std::max(16 + 7, GetSystemMetrics(SM_CYMENU));
  int label = std::max(TextWidth(u"Open", true), TextWidth(u"Copy", true));
  int accelerator = TextWidth(u"Ctrl+C", true);
  MeasureMenuItem(menu, 0);
  EXPECT_EQ(MeasureMenuItem(menu, 1), CSize(16 + label + accelerator + 10 + 7 + 8, height));
  EXPECT_EQ(MeasureMenuItem(menu, 2), CSize(0, 3));
}

TEST(OwnerMenuMeasure, XpWithTheClassicThemeMeasuresClassic) {
  CEmulatedSystemOverride system;
  SetEmulatedWindowsVersion(VER_PLATFORM_WIN32_NT, 5, 1);
  SetCurrentThemeFile(u"C:\\WINDOWS\\Resources\\Themes\\Windows Classic.theme");
  COwnerMenu menu;
  BuildMenu(menu);
  EXPECT_EQ(MeasureMenuItem(menu, 2).cy, std::max(10, GetSystemMetrics(SM_CYMENU) / 2));
  // Code 7 is above 1, so the label is measured in the menu font.
  EXPECT_EQ(MeasureMenuItem(menu, 0).cx, 2 * 16 + TextWidth(u"Open", true) + 10 + 1);
}
