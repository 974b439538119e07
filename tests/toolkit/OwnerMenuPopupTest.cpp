#include <gtest/gtest.h>

#include "platform/gdi/Gdi.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"
#include "tests/platform/gdi/BitmapPixel.h"
#include "tests/support/ui/EmulatedSystemOverride.h"
#include "tests/toolkit/MenuTestSupport.h"
#include "toolkit/MenuStyle.h"

namespace {

class OwnerMenuPopup : public ::testing::Test {
 protected:
  CEmulatedSystemOverride system;
  void Build() {
    ASSERT_TRUE(owner.Create(nullptr, u"owner", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.SetIconSize(16, 16);
    pictures = MakeRedSquareList();
    menu.AppendItem(u"&Exclude", 0, 7, pictures.get(), 0);
    menu.AppendItem(u"&Copy\tCtrl+C", 0, 8, nullptr, 0);
  }

  CUiApplication application;
  CWnd owner;
  COwnerMenu menu;
  std::unique_ptr<CImageList> pictures;
};

}  // namespace

TEST_F(OwnerMenuPopup, TrackedMenuIsMeasuredAndDrawnByTheMenuAndReturnsTheChoice) {
  Build();
  CScriptedAnswers answers;
  answers.AddPopupMenuAnswer(7);
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 100, 100, &owner), 7);
  ASSERT_EQ(answers.GetPopupMenus().size(), 1u);
  EXPECT_EQ(answers.GetPopupMenus()[0].items[0].state, MF_OWNERDRAW);

  SRenderedPopupMenu rendered = RenderPopupMenu(menu, &owner, 1);
  ASSERT_EQ(rendered.measured.size(), 2u);
  EXPECT_EQ(rendered.measured[0], MeasureMenuItem(menu, 0));
  EXPECT_EQ(rendered.measured[1], MeasureMenuItem(menu, 1));
  const CRect& copy = rendered.items[1];
  EXPECT_EQ(BitmapPixel(rendered.bitmap, copy.left, copy.top + copy.Height() / 2),
            GetSysColor(COLOR_HIGHLIGHT));
  DeleteObject(rendered.bitmap);
}

TEST_F(OwnerMenuPopup, PaletteDisplayGetsTheClassicStyleEvenOnAThemedXp) {
  SetEmulatedWindowsVersion(VER_PLATFORM_WIN32_NT, 5, 1);
  SetCurrentThemeFile(u"C:\\WINDOWS\\Resources\\Themes\\Luna.theme");
  SetPaletteDisplay(true);
  Build();
  SRenderedPopupMenu rendered = RenderPopupMenu(menu, &owner, 0);
  const CRect& exclude = rendered.items[0];
  const int mid = exclude.top + exclude.Height() / 2;
  // Classic: the highlight starts right of the picture box and fills the item; the XP style
  // would frame the item in the highlight colour and fill it with a light tint.
  EXPECT_EQ(BitmapPixel(rendered.bitmap, exclude.left + 16 + 5, mid), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(BitmapPixel(rendered.bitmap, exclude.right - 2, mid), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_NE(BitmapPixel(rendered.bitmap, exclude.left, exclude.top), GetSysColor(COLOR_HIGHLIGHT));
  DeleteObject(rendered.bitmap);
}
