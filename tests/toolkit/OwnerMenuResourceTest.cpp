#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/res/ResourceLookup.h"
#include "tests/support/ui/EmulatedSystemOverride.h"
#include "tests/support/ui/ResourceModuleOverride.h"
#include "tests/toolkit/MenuTestSupport.h"
#include "toolkit/MenuStyle.h"

// The fixtures of resources/ in this folder: menu 9200, tool bars 9100 (buttons 101, 102,
// separator, 103) and 9101 (201, 202) with their bitmaps (9100: 4-bit, red, green and blue
// squares on white with a light-grey, a black and a dark-grey pixel; 9101: 24-bit).
void RegisterToolkitTestResources(HMODULE module);

namespace {

const char16_t* kLunaTheme = u"C:\\WINDOWS\\Resources\\Themes\\Luna.theme";

class MenuResources : public ::testing::Test {
 protected:
  CEmulatedSystemOverride system;
  void SetUp() override { RegisterToolkitTestResources(nullptr); }

  COwnerMenu* Popup(COwnerMenu& bar, int position) {
    return dynamic_cast<COwnerMenu*>(CMenu::FromHandlePermanent(::GetSubMenu(bar, position)));
  }

  // Picture `index` of the menu-wide list drawn on the untouched colour.
  COLORREF MenuPicturePixel(COwnerMenu& menu, int index, int x, int y) {
    CCanvas canvas(16, 16);
    ImageList_Draw(menu.GetMenuImages(), index, canvas.Dc(), 0, 0, ILD_TRANSPARENT);
    return canvas.At(x, y);
  }
};

}  // namespace

TEST_F(MenuResources, LoadedBarIsDrawnByThePlatformAndItsPopupsAreOwnerDrawn) {
  COwnerMenu bar;
  ASSERT_TRUE(bar.LoadFromResource(9200));
  EXPECT_TRUE(bar.IsLoadedFromResource());
  ASSERT_EQ(bar.GetMenuItemCount(), 1);
  EXPECT_EQ(bar.GetMenuState(0, MF_BYPOSITION) & (MF_OWNERDRAW | MF_POPUP), MF_POPUP);
  CString text;
  bar.GetMenuString(0, text, MF_BYPOSITION);
  EXPECT_EQ(text, CString(u"&Edit"));
  EXPECT_EQ(bar.GetItemRecord(0)->nItemFlags, MF_BYPOSITION | MF_POPUP);

  COwnerMenu* edit = Popup(bar, 0);
  ASSERT_NE(edit, nullptr);
  EXPECT_FALSE(edit->IsLoadedFromResource());
  ASSERT_EQ(edit->GetMenuItemCount(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(edit->GetMenuState(i, MF_BYPOSITION) & MF_OWNERDRAW) << i;
  EXPECT_EQ(edit->GetItemRecord(2)->nItemFlags, MF_SEPARATOR | MF_OWNERDRAW);
  EXPECT_EQ(edit->GetMenuItemID(3), 103u);
  EXPECT_EQ(bar.GetItemOffset(), 0);
}

TEST_F(MenuResources, ClassicStylePadsLabelsSoAcceleratorsLineUp) {
  COwnerMenu bar;
  ASSERT_TRUE(bar.LoadFromResource(9200));
  COwnerMenu* edit = Popup(bar, 0);
  ASSERT_NE(edit, nullptr);
  CString red = edit->GetItemRecord(0)->strItemText;
  CString green = edit->GetItemRecord(1)->strItemText;
  ASSERT_TRUE(red.Find(u"&Red ") == 0) << red.ToUtf8();
  EXPECT_EQ(red.Mid(red.Find(u'\t')), CString(u"\tCtrl+R"));
  EXPECT_EQ(green.Mid(green.Find(u'\t')), CString(u"\tCtrl+G"));
  EXPECT_EQ(edit->GetItemRecord(3)->strItemText, CString(u"Blue"));

  CCanvas canvas(10, 10);
  LOGFONT logFont = GetMenuLogFont();
  CFont font;
  font.CreateFontIndirect(&logFont);
  canvas.Dc().SelectObject(&font);
  const int widest = canvas.Dc().GetTextExtent(CString(u"&Green item ")).cx;
  for (const CString& text : {red, green}) {
    CString label = text.Left(text.Find(u'\t'));
    EXPECT_GE(canvas.Dc().GetTextExtent(label).cx, widest) << label.ToUtf8();
    // One space fewer would not reach it.
    EXPECT_LT(canvas.Dc().GetTextExtent(label.Left(label.GetLength() - 1)).cx, widest) << label.ToUtf8();
  }
}

TEST_F(MenuResources, XpStyleKeepsTheTemplateTexts) {
  SetEmulatedWindowsVersion(VER_PLATFORM_WIN32_NT, 5, 1);
  SetCurrentThemeFile(kLunaTheme);
  COwnerMenu bar;
  ASSERT_TRUE(bar.LoadFromResource(9200));
  EXPECT_EQ(Popup(bar, 0)->GetItemRecord(0)->strItemText, CString(u"&Red\tCtrl+R"));
}

TEST_F(MenuResources, ItemsTakeTheirPicturesFromTheToolBarBitmap) {
  COwnerMenu bar;
  ASSERT_TRUE(bar.LoadFromResource(9200));
  COwnerMenu* edit = Popup(bar, 0);
  ASSERT_NE(edit, nullptr);
  // 103 follows a separator on the tool bar: its picture is the third, the blue square.
  ASSERT_TRUE(edit->AppendResourceItem(u"Blue picture", 0, 103, 9100));
  ASSERT_TRUE(edit->AppendResourceItem(u"Blue again", 0, 103, -1));
  ASSERT_TRUE(edit->AppendResourceItem(u"Red picture", 0, 101, 9100));
  EXPECT_EQ(edit->GetItemRecord(4)->nMenuImage, 0);
  EXPECT_EQ(edit->GetItemRecord(5)->nMenuImage, 0);
  EXPECT_EQ(edit->GetItemRecord(6)->nMenuImage, 1);
  EXPECT_EQ(edit->GetMenuImageCount(), 2);
  EXPECT_EQ(MenuPicturePixel(*edit, 0, 7, 7), RGB(0, 0, 255));
  EXPECT_EQ(MenuPicturePixel(*edit, 1, 7, 7), RGB(255, 0, 0));

  // The 16-colour bitmap came in the system colours; its white is transparent.
  EXPECT_EQ(MenuPicturePixel(*edit, 0, 1, 1), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(MenuPicturePixel(*edit, 0, 14, 1), GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(MenuPicturePixel(*edit, 0, 14, 14), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(MenuPicturePixel(*edit, 0, 0, 0), kUntouched);

  // Drawn in the popup, the item shows the blue square.
  CSize size = MeasureMenuItem(*edit, 4);
  CCanvas canvas(300, 40);
  CRect item(0, 0, size.cx, size.cy);
  DrawMenuItem(*edit, 4, canvas, item, 0);
  const int g = std::max(0, (size.cy - 16 - 4) / 2);
  EXPECT_EQ(canvas.At(2 + 7, g + 2 + 7), RGB(0, 0, 255));
}

TEST_F(MenuResources, XpStyleStoresFourPicturesPerCommand) {
  SetEmulatedWindowsVersion(VER_PLATFORM_WIN32_NT, 5, 1);
  SetCurrentThemeFile(kLunaTheme);
  COwnerMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  ASSERT_TRUE(menu.AppendResourceItem(u"Green", 0, 102, 9100));
  EXPECT_EQ(menu.GetItemRecord(0)->nMenuImage, 0);
  EXPECT_EQ(menu.GetMenuImageCount(), 4);
  EXPECT_TRUE(menu.HasImageVariants(0));
  EXPECT_FALSE(menu.HasImageVariants(2));  // entry 4 does not exist
  EXPECT_FALSE(menu.HasImageVariants(-1));
  EXPECT_EQ(MenuPicturePixel(menu, 0, 7, 7), RGB(0, 255, 0));
  EXPECT_EQ(MenuPicturePixel(menu, 1, 7, 7), RGB(76, 255, 76));
  EXPECT_EQ(MenuPicturePixel(menu, 2, 7, 7), GetSysColor(COLOR_BTNSHADOW));

  // A second picture under the same id replaces the four in place.
  // (102 is not on tool bar 9101: its picture 0, the square of 200, 100, 50.)
  ASSERT_TRUE(menu.AppendResourceItem(u"Now brown", 0, 102, 9101));
  EXPECT_EQ(menu.GetItemRecord(1)->nMenuImage, 0);
  EXPECT_EQ(menu.GetMenuImageCount(), 4);
  EXPECT_EQ(MenuPicturePixel(menu, 0, 7, 7), RGB(200, 100, 50));
  // Faded: 200 + 55 * 0.3 = 216.5, 100 + 155 * 0.3 = 146.5, 50 + 205 * 0.3 = 111.5.
  EXPECT_EQ(MenuPicturePixel(menu, 1, 7, 7), RGB(216, 146, 111));
}

TEST_F(MenuResources, WideBitmapsLoseOnlyTheirLightGrey) {
  COwnerMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  // 201 is the first button of tool bar 9101: picture 0, the 24-bit square on light grey.
  ASSERT_TRUE(menu.AppendResourceItem(u"Wide", 0, 201, 9101));
  EXPECT_EQ(MenuPicturePixel(menu, 0, 0, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(MenuPicturePixel(menu, 0, 6, 6), RGB(200, 100, 50));
  // Command 202 is the second button; a command not on the tool bar takes picture 0.
  ASSERT_TRUE(menu.AppendResourceItem(u"Magenta", 0, 202, 9101));
  EXPECT_EQ(MenuPicturePixel(menu, 1, 6, 6), RGB(255, 0, 255));
  ASSERT_TRUE(menu.AppendResourceItem(u"Stranger", 0, 777, 9101));
  EXPECT_EQ(MenuPicturePixel(menu, 2, 6, 6), RGB(200, 100, 50));
}

TEST_F(MenuResources, MissingBitmapLeavesTheItemWithoutPicture) {
  COwnerMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  ASSERT_TRUE(menu.AppendResourceItem(u"Nothing", 0, 101, 9999));
  EXPECT_EQ(menu.GetItemRecord(0)->nMenuImage, -1);
  EXPECT_EQ(menu.GetMenuImageCount(), 0);
}

TEST_F(MenuResources, ColorTableSizes) {
  const struct {
    DWORD used;
    WORD bits;
    int size;
  } cases[] = {{0, 1, 2}, {0, 4, 16}, {0, 8, 256}, {0, 24, 0}, {0, 32, 0}, {5, 8, 5}, {65552, 4, 16}};
  for (const auto& c : cases) {
    BITMAPINFOHEADER header{};
    header.biClrUsed = c.used;
    header.biBitCount = c.bits;
    EXPECT_EQ(COwnerMenu::GetColorTableSize(header), c.size) << c.used << " " << c.bits;
  }
}

TEST_F(MenuResources, ForeignItemInFrontOfTheBarShiftsThePairing) {
  COwnerMenu bar;
  ASSERT_TRUE(bar.LoadFromResource(9200));
  ASSERT_TRUE(bar.InsertMenu(0, MF_BYPOSITION | MF_STRING, 900, u"Foreign"));
  EXPECT_EQ(bar.GetItemOffset(), 1);
  HMENU extra = CreatePopupMenu();
  ASSERT_TRUE(bar.AppendResourceItem(u"More", MF_POPUP, reinterpret_cast<UINT_PTR>(extra), -1));
  // Position 0 stays the foreign item; positions 1 and 2 are the records' popups.
  EXPECT_EQ(bar.GetMenuItemID(0), 900u);
  EXPECT_EQ(bar.GetMenuState(1, MF_BYPOSITION) & MF_OWNERDRAW, 0u);
  EXPECT_EQ(bar.GetMenuState(2, MF_BYPOSITION) & (MF_OWNERDRAW | MF_POPUP), MF_POPUP);
  EXPECT_EQ(bar.GetItemRecord(1)->nItemFlags, MF_BYPOSITION | MF_POPUP);
  CString text;
  bar.GetMenuString(2, text, MF_BYPOSITION);
  EXPECT_EQ(text, CString(u"More"));
}

TEST_F(MenuResources, TemplatesThatCannotBeReadAreRefusedAndTheMenuKept) {
  // popup "A" { 5 "B", last } as the last top-level entry, then cut or garbled.
  const std::vector<BYTE> good = {0, 0, 0, 0, 0x90, 0, 'A', 0, 0, 0, 0x80, 0, 5, 0, 'B', 0, 0, 0};
  std::vector<BYTE> noEnd = good;
  noEnd[10] = 0x00;  // the popup's only item is not its last
  std::vector<BYTE> extended = good;
  extended[0] = 1;
  const std::vector<std::vector<BYTE>> bad = {{},
                                              {0, 0},
                                              std::vector<BYTE>(good.begin(), good.end() - 1),
                                              std::vector<BYTE>(good.begin(), good.begin() + 12),
                                              noEnd,
                                              extended};
  static const SResourceModule module{u"/nowhere/menus"};
  static std::deque<std::vector<BYTE>> kept;
  kept.push_back(good);
  AddResource(&module, RT_MENU, MAKEINTRESOURCEW(1), kept.back().data(), kept.back().size());
  CResourceModuleOverride current(&module);

  COwnerMenu menu;
  ASSERT_TRUE(menu.LoadFromResource(1));
  ASSERT_EQ(menu.GetMenuItemCount(), 1);
  HMENU loaded = menu.m_hMenu;
  WORD id = 2;
  for (const auto& bytes : bad) {
    kept.push_back(bytes.empty() ? std::vector<BYTE>{0} : bytes);
    AddResource(&module, RT_MENU, MAKEINTRESOURCEW(id), kept.back().data(), bytes.size());
    EXPECT_FALSE(menu.LoadFromResource(id)) << id;
    EXPECT_EQ(menu.m_hMenu, loaded) << id;
    EXPECT_EQ(menu.GetItemRecordCount(), 1) << id;
    ++id;
  }
  EXPECT_FALSE(menu.LoadFromResource(77));  // in neither module
  EXPECT_EQ(menu.m_hMenu, loaded);
}
