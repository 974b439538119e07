#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "platform/res/ResourceLookup.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuTemplate.h"

namespace {

// A bar with "&File" (Open 1, separator, Recent > (Last 2)) and "&Edit" (Copy 3 checked).
const BYTE kTemplate[] = {
    0x00, 0x00, 0x00, 0x00,                                                    // version 0, header 0
    0x10, 0x00, '&',  0,    'F',  0,    'i', 0, 'l', 0, 'e', 0, 0,   0,        // popup "&File"
    0x00, 0x00, 0x01, 0x00, 'O',  0,    'p', 0, 'e', 0, 'n', 0, 0,   0,        //   1 "Open"
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                                        //   separator
    0x90, 0x00, 'R',  0,    'e',  0,    'c', 0, 'e', 0, 'n', 0, 't', 0, 0, 0,  //   popup "Recent", last
    0x80, 0x00, 0x02, 0x00, 'L',  0,    'a', 0, 's', 0, 't', 0, 0,   0,        //     2 "Last", last
    0x90, 0x00, '&',  0,    'E',  0,    'd', 0, 'i', 0, 't', 0, 0,   0,        // popup "&Edit", last
    0x88, 0x00, 0x03, 0x00, 'C',  0,    'o', 0, 'p', 0, 'y', 0, 0,   0,        //   3 "Copy" checked, last
};

std::vector<BYTE> Cut(std::size_t size) { return std::vector<BYTE>(kTemplate, kTemplate + size); }

}  // namespace

TEST(Menu, ItemsByCommandSearchPopupsAndByPositionStayInTheirMenu) {
  HMENU bar = CreateMenu();
  HMENU popup = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuW(bar, MF_STRING, 10, u"Ten"));
  ASSERT_TRUE(AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), u"More"));
  ASSERT_TRUE(AppendMenuW(popup, MF_SEPARATOR, 0, nullptr));
  ASSERT_TRUE(AppendMenuW(popup, MF_STRING | MF_GRAYED, 20, u"Twenty"));

  EXPECT_EQ(GetMenuItemCount(bar), 2);
  EXPECT_EQ(GetMenuItemID(bar, 0), 10u);
  EXPECT_EQ(GetMenuItemID(bar, 1), 0xFFFFFFFFu);
  EXPECT_EQ(GetSubMenu(bar, 1), popup);
  EXPECT_EQ(GetSubMenu(bar, 0), nullptr);
  EXPECT_EQ(GetMenuState(bar, 20, MF_BYCOMMAND), MF_GRAYED);
  EXPECT_EQ(GetMenuState(bar, 1, MF_BYPOSITION), (2u << 8) | MF_POPUP);
  EXPECT_EQ(GetMenuState(popup, 0, MF_BYPOSITION), MF_SEPARATOR);
  EXPECT_EQ(GetMenuState(bar, 99, MF_BYCOMMAND), MENU_ITEM_NOT_FOUND);

  EXPECT_EQ(CheckMenuItem(bar, 20, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
  EXPECT_EQ(EnableMenuItem(bar, 20, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
  EXPECT_EQ(GetMenuState(popup, 1, MF_BYPOSITION), MF_CHECKED);

  CString text;
  EXPECT_EQ(GetMenuStringW(bar, 20, text, MF_BYCOMMAND), 6);
  EXPECT_EQ(text, CString(u"Twenty"));
  EXPECT_EQ(GetMenuStringW(bar, 5, text, MF_BYPOSITION), 0);

  // Deleting the popup entry destroys the popup; destroying the bar takes the rest.
  EXPECT_TRUE(DeleteMenu(bar, 1, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(popup));
  EXPECT_TRUE(DestroyMenu(bar));
  EXPECT_FALSE(IsMenu(bar));
  EXPECT_FALSE(DestroyMenu(bar));
}

TEST(Menu, OwnerDrawnItemsCarryItemDataAndModifyKeepsTheSamePopup) {
  HMENU bar = CreateMenu();
  HMENU popup = CreatePopupMenu();
  int record = 0;
  AppendMenuW(bar, MF_OWNERDRAW, 7, reinterpret_cast<LPCWSTR>(&record));
  AppendMenuW(bar, MF_POPUP | MF_OWNERDRAW, reinterpret_cast<UINT_PTR>(popup),
              reinterpret_cast<LPCWSTR>(&record));
  EXPECT_EQ(GetMenuItemData(bar, 7, MF_BYCOMMAND), reinterpret_cast<ULONG_PTR>(&record));
  CString text;
  EXPECT_EQ(GetMenuStringW(bar, 7, text, MF_BYCOMMAND), 0);

  ASSERT_TRUE(
      ModifyMenuW(bar, 1, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), u"P"));
  EXPECT_TRUE(IsMenu(popup));
  EXPECT_EQ(GetMenuState(bar, 1, MF_BYPOSITION) & MF_OWNERDRAW, 0u);
  ASSERT_TRUE(ModifyMenuW(bar, 0, MF_BYPOSITION | MF_STRING, 7, u"Seven"));
  EXPECT_EQ(GetMenuStringW(bar, 7, text, MF_BYCOMMAND), 5);
  DestroyMenu(bar);
}

TEST(Menu, ObjectsAreFoundByHandleAndLoseTheirHandleWithTheMenu) {
  CMenu bar;
  ASSERT_TRUE(bar.CreateMenu());
  CMenu popup;
  ASSERT_TRUE(popup.CreatePopupMenu());
  bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.m_hMenu), u"Popup");
  EXPECT_EQ(CMenu::FromHandlePermanent(bar), &bar);
  EXPECT_EQ(bar.GetSubMenu(0), &popup);
  HMENU loose = CreatePopupMenu();
  EXPECT_EQ(CMenu::FromHandlePermanent(loose), nullptr);
  CMenu* temporary = CMenu::FromHandle(loose);
  ASSERT_NE(temporary, nullptr);
  EXPECT_EQ(temporary->m_hMenu, loose);
  DestroyMenu(loose);

  bar.DestroyMenu();
  EXPECT_EQ(popup.m_hMenu, nullptr);
}

TEST(MenuTemplate, LoadMenuBuildsTheLevelsOfTheTemplate) {
  static const SResourceModule module{u"/nowhere/menus"};
  AddResource(&module, RT_MENU, MAKEINTRESOURCEW(300), kTemplate, sizeof kTemplate);
  HMENU bar = LoadMenuW(&module, MAKEINTRESOURCEW(300));
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  HMENU file = GetSubMenu(bar, 0);
  ASSERT_EQ(GetMenuItemCount(file), 3);
  EXPECT_EQ(GetMenuItemID(file, 0), 1u);
  EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION), MF_SEPARATOR);
  HMENU recent = GetSubMenu(file, 2);
  ASSERT_EQ(GetMenuItemCount(recent), 1);
  EXPECT_EQ(GetMenuItemID(recent, 0), 2u);
  HMENU edit = GetSubMenu(bar, 1);
  ASSERT_EQ(GetMenuItemCount(edit), 1);
  EXPECT_EQ(GetMenuState(edit, 3, MF_BYCOMMAND), MF_CHECKED);
  CString text;
  GetMenuStringW(bar, 1, text, MF_BYPOSITION);
  EXPECT_EQ(text, CString(u"&Edit"));
  DestroyMenu(bar);
  EXPECT_EQ(LoadMenuW(&module, MAKEINTRESOURCEW(301)), nullptr);
}

TEST(MenuTemplate, RefusesTemplatesItCannotReadToTheirEnd) {
  std::vector<BYTE> extended = Cut(sizeof kTemplate);
  extended[0] = 1;  // the extended layout
  std::vector<BYTE> farHeader = Cut(sizeof kTemplate);
  farHeader[2] = 0xF0;  // header size beyond the end
  std::vector<BYTE> unclosed = Cut(sizeof kTemplate);
  unclosed[68] = 0x10;  // "&Edit" without MF_END: the bar never closes
  std::vector<BYTE> noTerminator = Cut(sizeof kTemplate - 2);
  const struct {
    const char* what;
    std::vector<BYTE> bytes;
  } cases[] = {
      {"empty", {}},
      {"half a header", Cut(3)},
      {"header only", Cut(4)},
      {"cut inside an option", Cut(5)},
      {"cut inside an id", Cut(21)},
      {"cut inside a text", Cut(26)},
      {"cut inside a popup", Cut(50)},
      {"last text without its terminator", noTerminator},
      {"extended template", extended},
      {"header beyond the end", farHeader},
      {"top level never ends", unclosed},
  };
  EXPECT_TRUE(IsReadableMenuTemplate(kTemplate, sizeof kTemplate));
  static const SResourceModule module{u"/nowhere/broken"};
  WORD id = 400;
  for (const auto& c : cases) {
    EXPECT_FALSE(IsReadableMenuTemplate(c.bytes.data(), c.bytes.size())) << c.what;
    static std::deque<std::vector<BYTE>> kept;
    kept.push_back(c.bytes.empty() ? std::vector<BYTE>{0} : c.bytes);
    AddResource(&module, RT_MENU, MAKEINTRESOURCEW(id), kept.back().data(), c.bytes.size());
    EXPECT_EQ(LoadMenuW(&module, MAKEINTRESOURCEW(id)), nullptr) << c.what;
    ++id;
  }
}

TEST(MenuTemplate, ReaderStopsAtTheEndOfTheData) {
  CMenuTemplateReader reader(kTemplate, 38);  // up to the separator
  ASSERT_TRUE(reader.IsOpen());
  SMenuTemplateItem item;
  ASSERT_TRUE(reader.ReadItem(item));
  EXPECT_EQ(item.option, MF_POPUP);
  EXPECT_EQ(item.text, CString(u"&File"));
  ASSERT_TRUE(reader.ReadItem(item));
  EXPECT_EQ(item.id, 1u);
  ASSERT_TRUE(reader.ReadItem(item));
  EXPECT_EQ(item.id, 0u);
  EXPECT_TRUE(item.text.IsEmpty());
  EXPECT_FALSE(reader.ReadItem(item));
}
