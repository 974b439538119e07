#include <gtest/gtest.h>

#include "appbase/Registry.h"
#include "appbase/WindowPos.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"
#include "tests/support/ui/EmulatedSystemOverride.h"

namespace {

class WindowPosTest : public ::testing::Test {
 protected:
  CEmulatedSystemOverride system;
  void SetUp() override { SetScreenSize(1920, 1080); }
  CUiApplication app;
};

TEST_F(WindowPosTest, RestoreStartsFromTheScreenAndTakesStoredValues) {
  CWindowPos pos(u"MeasDlg", nullptr);
  pos.Restore(kSettingsKey);
  EXPECT_EQ(pos.m_left, 2);
  EXPECT_EQ(pos.m_top, 2);
  EXPECT_EQ(pos.m_right, 960);
  EXPECT_EQ(pos.m_bottom, 972);

  CRegistry registry(kSettingsKey);
  registry.WriteDWORD(u"MeasDlgTop", 40);
  registry.WriteDWORD(u"MeasDlgRight", 700);
  pos.Restore(kSettingsKey);
  EXPECT_EQ(pos.m_left, 2);
  EXPECT_EQ(pos.m_top, 40);
  EXPECT_EQ(pos.m_right, 700);
  EXPECT_EQ(pos.m_bottom, 972);
}

// The pinned 1920 x 1080 screen has a work area of 1920 x 1050. A stored rectangle keeps its
// size; it moves only as far as needed to lie on the work area, its top-left corner (where
// the title bar is) on it first.
TEST_F(WindowPosTest, RestoreMovesAStoredRectangleOnToTheWorkArea) {
  struct SCase {
    const char* what;
    RECT stored;
    RECT restored;
  };
  const SCase cases[] = {
      {"on the work area", {100, 100, 700, 500}, {100, 100, 700, 500}},
      {"above and left of the screen", {-500, -500, -100, -200}, {0, 0, 400, 300}},
      {"title bar above the screen", {300, -20, 900, 380}, {300, 0, 900, 400}},
      {"past the bottom right", {1800, 1000, 2400, 1400}, {1320, 650, 1920, 1050}},
      {"larger than the work area", {-50, -50, 2000, 1200}, {0, 0, 2050, 1250}},
  };
  CRegistry registry(kSettingsKey);
  for (const SCase& c : cases) {
    registry.WriteDWORD(u"PlotDlgLeft", DWORD(c.stored.left));
    registry.WriteDWORD(u"PlotDlgTop", DWORD(c.stored.top));
    registry.WriteDWORD(u"PlotDlgRight", DWORD(c.stored.right));
    registry.WriteDWORD(u"PlotDlgBottom", DWORD(c.stored.bottom));
    CWindowPos pos(u"PlotDlg", nullptr);
    pos.Restore(kSettingsKey);
    EXPECT_EQ(pos.m_left, c.restored.left) << c.what;
    EXPECT_EQ(pos.m_top, c.restored.top) << c.what;
    EXPECT_EQ(pos.m_right, c.restored.right) << c.what;
    EXPECT_EQ(pos.m_bottom, c.restored.bottom) << c.what;
  }
}

TEST_F(WindowPosTest, WithoutAPinnedSizeTheDefaultFitsTheScreenTheProgramRunsOn) {
  SetScreenSize(0, 0);
  SetDisplayScreen(RECT{0, 0, 1280, 900}, RECT{0, 0, 1280, 870});
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 900);
  RECT work{};
  ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work.bottom, 870);
  CWindowPos pos(u"MainFrm", nullptr);
  pos.Restore(kSettingsKey);
  EXPECT_EQ(pos.m_right, 640);
  EXPECT_EQ(pos.m_bottom, 810) << "90 % of 900, so the status bar stays on the screen";

  // A pinned size stands over the real screen until it is let go.
  SetScreenSize(1920, 1080);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
  ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work.bottom, 1050);
  SetScreenSize(0, 0);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
}

TEST_F(WindowPosTest, SaveKeepsTheTopLeftCornerOnTheScreen) {
  CWnd window;
  ASSERT_TRUE(window.Create(nullptr, u"frame", WS_OVERLAPPEDWINDOW, RECT{-8, -8, 500, 400}, nullptr, 0));
  RECT placed{};
  window.GetWindowRect(&placed);
  ASSERT_EQ(placed.left, -8) << "a maximised frame reaches past the screen's edge";
  ASSERT_EQ(placed.top, -8);
  CWindowPos pos(u"MainFrm", &window);
  pos.Save(kSettingsKey);
  DWORD left = 0, top = 0, right = 0, bottom = 0;
  CRegistry registry(kSettingsKey);
  ASSERT_TRUE(registry.ReadDWORD(u"MainFrmLeft", left));
  ASSERT_TRUE(registry.ReadDWORD(u"MainFrmTop", top));
  ASSERT_TRUE(registry.ReadDWORD(u"MainFrmRight", right));
  ASSERT_TRUE(registry.ReadDWORD(u"MainFrmBottom", bottom));
  EXPECT_EQ(left, 1u);
  EXPECT_EQ(top, 1u);
  EXPECT_EQ(right, 500u);
  EXPECT_EQ(bottom, 400u);
  window.DestroyWindow();
}

}  // namespace
