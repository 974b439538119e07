#include <gtest/gtest.h>

#include <cstring>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GuiApplication.h"
#include "platform/res/ResourceLookup.h"
#include "platform/ui/Menu.h"
#include "platform/ui/ResourceBitmaps.h"
#include "platform/ui/ToolBarResource.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/support/ui/ResourceModuleOverride.h"

namespace {

const BYTE kData[] = {1, 2, 3};

}  // namespace

TEST(ResourceLookup, FindsByIntegerOrNumberTextAndTypeInItsOwnModule) {
  static const SResourceModule language{u"/nowhere/ZD-Zedo_Test.lng"};
  HMODULE module = &language;
  AddResource(module, RT_MENU, MAKEINTRESOURCEW(300), kData, sizeof kData);
  AddResource(module, RT_BITMAP, u"Picture", kData + 1, 2);

  HRSRC menu = FindResourceW(module, MAKEINTRESOURCEW(300), RT_MENU);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(FindResourceW(module, u"#300", RT_MENU), menu);
  EXPECT_EQ(SizeofResource(module, menu), 3u);
  EXPECT_EQ(LockResource(LoadResource(module, menu)), kData);

  EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(300), RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(301), RT_MENU), nullptr);
  HRSRC picture = FindResourceW(module, u"PICTURE", RT_BITMAP);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(SizeofResource(module, picture), 2u);
  EXPECT_EQ(FindResourceW(nullptr, u"PICTURE", RT_BITMAP), nullptr);
}

TEST(ResourceLookup, ResourceHandleDefaultsToTheProgram) {
  EXPECT_EQ(AfxGetResourceHandle(), nullptr);
  static const SResourceModule language{u"/nowhere/ZD-Zedo_Test.lng"};
  {
    CResourceModuleOverride current(&language);
    EXPECT_EQ(AfxGetResourceHandle(), &language);
  }
  EXPECT_EQ(AfxGetResourceHandle(), nullptr);
}

TEST(ProgramResources, MainMenuIsAStandardTemplateStartingWithFile) {
  RegisterProgramResources(nullptr);
  HMODULE module = nullptr;
  HRSRC menu = FindResourceW(module, MAKEINTRESOURCEW(IDR_MAINFRAME), RT_MENU);
  ASSERT_NE(menu, nullptr);
  const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, menu)));
  const BYTE start[] = {0, 0, 0, 0, 0x10, 0, '&', 0, 'F', 0, 'i', 0, 'l', 0, 'e', 0, 0, 0};
  ASSERT_GT(SizeofResource(module, menu), sizeof start);
  EXPECT_EQ(std::memcmp(bytes, start, sizeof start), 0);

  HRSRC bitmap = FindResourceW(module, MAKEINTRESOURCEW(IDB_MENU_PICTURES), RT_BITMAP);
  ASSERT_NE(bitmap, nullptr);
  const BYTE* header = static_cast<const BYTE*>(LockResource(LoadResource(module, bitmap)));
  EXPECT_EQ(header[0], 40);  // the bitmap information header comes first
  EXPECT_EQ(header[4], 112);  // seven 16-pixel pictures
}

TEST(ProgramResources, MainMenuCarriesTheFramesCommandsAndTexts) {
  RegisterProgramResources(nullptr);
  HMENU bar = LoadMenuW(nullptr, MAKEINTRESOURCEW(IDR_MAINFRAME));
  ASSERT_NE(bar, nullptr);
  const char16_t* popups[] = {u"&File", u"&Device", u"&Edit", u"&Help"};
  ASSERT_EQ(GetMenuItemCount(bar), 4);
  for (int i = 0; i < 4; ++i) {
    CString text;
    GetMenuStringW(bar, UINT(i), text, MF_BYPOSITION);
    EXPECT_EQ(text, CString(popups[i]));
    EXPECT_NE(GetSubMenu(bar, i), nullptr);
  }
  const struct {
    UINT id;
    const char16_t* text;
  } commands[] = {
      {57601, u"&Open project..."},
      {57602, u"&Close project"},
      {57603, u"&Save project"},
      {20, u"Save project &as..."},
      {5, u"Export measurements as graphic file(s)"},
      {16, u"Export measurements to CSV file(s)"},
      {33, u"&Print"},
      {1, u"Applica&tion settings"},
      {57665, u"E&xit"},
      {11, u"&Download all measurement data from ZD-2"},
      {9, u"Delete all measurement data on ZD-2"},
      {35, u"&Update ZD-2 firmware"},
      {28, u"&Live View"},
      {2003, u"Calibrate adjustment"},
      {2002, u"Calibration verification"},
      {2004, u"Restore factory calibration"},
      {2005, u"Restore last used calibration"},
      {2008, u"Open calibration certificate template"},
      {2009, u"Open calibration certificate example"},
      {15, u"Select &all\t(Ctrl+A)"},
      {4, u"&Copy\t(Ctrl+C)"},
      {32, u"&Paste\t(Ctrl+V)"},
      {14, u"&Delete\t(Delete)"},
      {24, u"&Check for ZD-Zedo updates..."},
      {57670, u"&Help ZD-Zedo"},
      {2006, u"Help ZD-2 cali&bration"},
      {27, u"Help &update ZD-2 firmware"},
      {26, u"Product &Registration"},
      {25, u"Customer &Feedback"},
      {57664, u"&About ZD-Zedo..."},
  };
  for (const auto& command : commands) {
    CString text;
    GetMenuStringW(bar, command.id, text, MF_BYCOMMAND);
    EXPECT_EQ(text, CString(command.text)) << command.id;
  }
  // Both export commands sit in the File menu's Export popup.
  HMENU file = GetSubMenu(bar, 0);
  HMENU exportPopup = nullptr;
  for (int i = 0; i < GetMenuItemCount(file) && !exportPopup; ++i) exportPopup = GetSubMenu(file, i);
  ASSERT_NE(exportPopup, nullptr);
  EXPECT_EQ(GetMenuItemID(exportPopup, 0), 5u);
  EXPECT_EQ(GetMenuItemID(exportPopup, 1), 16u);
  DestroyMenu(bar);
}

TEST(ProgramResources, BitmapsLoadByIdOnceConnected) {
  EnsureGuiApplication();
  RegisterProgramResources(nullptr);
  UseResourceBitmaps();
  CBitmap pictures;
  ASSERT_TRUE(pictures.LoadBitmap(IDB_MENU_PICTURES));
  BITMAP info{};
  pictures.GetBitmap(&info);
  EXPECT_EQ(info.bmWidth, 112);
  EXPECT_EQ(info.bmHeight, 16);
  CBitmap missing;
  EXPECT_FALSE(missing.LoadBitmap(71));
}

TEST(ProgramResources, MainToolBarHasOnePicturePerButton) {
  RegisterProgramResources(nullptr);
  CToolBarResource toolBar;
  ASSERT_TRUE(toolBar.Load(IDR_MAINFRAME));
  EXPECT_EQ(toolBar.GetButtonWidth(), 32);
  EXPECT_EQ(toolBar.GetButtonHeight(), 32);
  const std::vector<UINT> buttons = {11, 35, 28, 0, 57601, 57603, 0, 5, 16, 33, 0, 57670};
  EXPECT_EQ(toolBar.GetButtons(), buttons);
  EXPECT_EQ(toolBar.GetButtonImage(toolBar.CommandToIndex(57601)), 3);
  EXPECT_EQ(toolBar.GetButtonImage(toolBar.CommandToIndex(57670)), 8);
  EXPECT_EQ(toolBar.GetButtonImage(3), -1);
  EXPECT_EQ(toolBar.CommandToIndex(999), -1);
  for (UINT id : {IDB_TOOLBAR, IDB_TOOLBAR_DISABLED}) {
    HRSRC bitmap = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_BITMAP);
    ASSERT_NE(bitmap, nullptr) << id;
    BITMAPINFOHEADER header{};
    std::memcpy(&header, LockResource(LoadResource(nullptr, bitmap)), sizeof header);
    EXPECT_EQ(header.biWidth, 9 * 32) << id;
    EXPECT_EQ(header.biHeight, 32) << id;
  }
}
