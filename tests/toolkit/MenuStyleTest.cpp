#include <gtest/gtest.h>

#include "platform/gdi/SystemInfo.h"
#include "tests/support/ui/EmulatedSystemOverride.h"
#include "toolkit/MenuStyle.h"

TEST(MenuStyle, OsVersionCodes) {
  const struct {
    DWORD platform, major, minor;
    int code;
  } cases[] = {
      {VER_PLATFORM_WIN32_WINDOWS, 3, 95, 0}, {VER_PLATFORM_WIN32_WINDOWS, 4, 0, 2},
      {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 3}, {VER_PLATFORM_WIN32_WINDOWS, 4, 90, 4},
      {VER_PLATFORM_WIN32_NT, 4, 0, 5},       {VER_PLATFORM_WIN32_NT, 5, 0, 6},
      {VER_PLATFORM_WIN32_NT, 5, 1, 7},       {VER_PLATFORM_WIN32_NT, 5, 2, 1},
      {VER_PLATFORM_WIN32_NT, 6, 1, 1},       {VER_PLATFORM_WIN32_NT, 10, 0, 1},
  };
  for (const auto& c : cases) {
    OSVERSIONINFO info{};
    info.dwPlatformId = c.platform;
    info.dwMajorVersion = c.major;
    info.dwMinorVersion = c.minor;
    EXPECT_EQ(OsVersionCodeOf(info), c.code) << c.platform << " " << c.major << "." << c.minor;
  }
}

TEST(MenuStyle, ClassicThemeIsTheWindowsClassicThemeFileInAnyCase) {
  CEmulatedSystemOverride system;
  const struct {
    const char16_t* theme;
    bool classic;
  } cases[] = {
      {u"C:\\WINDOWS\\Resources\\Themes\\Windows Classic.theme", true},
      {u"c:\\windows\\resources\\themes\\WINDOWS CLASSIC.THEME", true},
      {u"C:\\WINDOWS\\Resources\\Themes\\Luna.theme", false},
      {u"Windows Classic.theme.bak", false},
      {u"", false},
  };
  for (const auto& c : cases) {
    SetCurrentThemeFile(c.theme);
    EXPECT_EQ(IsClassicTheme(), c.classic) << CString(c.theme).ToUtf8();
  }
  // The value is read into 260 bytes: 129 characters and the terminator fit, 130 do not.
  CString suffix = u"\\Windows Classic.theme";
  SetCurrentThemeFile(CString(u'x', 129 - suffix.GetLength()) + suffix);
  EXPECT_TRUE(IsClassicTheme());
  SetCurrentThemeFile(CString(u'x', 130 - suffix.GetLength()) + suffix);
  EXPECT_FALSE(IsClassicTheme());
}

TEST(MenuStyle, OnlyAThemedWindowsXpGetsTheXpStyle) {
  CEmulatedSystemOverride system;
  SetEmulatedWindowsVersion(VER_PLATFORM_WIN32_NT, 5, 1);
  SetCurrentThemeFile(u"C:\\WINDOWS\\Resources\\Themes\\Luna.theme");
  EXPECT_EQ(GetOsVersionCode(), 7);
  EXPECT_TRUE(IsXpMenuStyle());
  SetCurrentThemeFile(u"C:\\WINDOWS\\Resources\\Themes\\Windows Classic.theme");
  EXPECT_FALSE(IsXpMenuStyle());
}

TEST(MenuStyle, DefaultSystemGetsTheClassicStyle) {
  EXPECT_EQ(GetOsVersionCode(), 1);
  EXPECT_FALSE(IsXpMenuStyle());
}

TEST(MenuStyle, LightenAndDarkenEachComponentTruncated) {
  EXPECT_EQ(LightenColor(RGB(0, 100, 255), 0.5), RGB(127, 177, 255));
  EXPECT_EQ(LightenColor(RGB(10, 20, 30), 1.0), RGB(255, 255, 255));
  EXPECT_EQ(DarkenColor(RGB(200, 101, 1), 0.5), RGB(100, 50, 0));
  EXPECT_EQ(DarkenColor(RGB(255, 255, 255), 0.02), RGB(249, 249, 249));
  EXPECT_EQ(DarkenColor(RGB(10, 20, 30), 1.0), RGB(0, 0, 0));
  for (double outside : {0.0, -0.5, 1.5}) {
    EXPECT_EQ(LightenColor(RGB(10, 20, 30), outside), RGB(10, 20, 30)) << outside;
    EXPECT_EQ(DarkenColor(RGB(10, 20, 30), outside), RGB(10, 20, 30)) << outside;
  }
}
