#include "tests/support/ui/EmulatedSystemOverride.h"

SEmulatedSystem SEmulatedSystem::Read() {
  SEmulatedSystem system;
  system.version.dwOSVersionInfoSize = sizeof system.version;
  GetVersionEx(&system.version);
  system.themeFile = GetCurrentThemeFile();
  system.palette = IsPaletteDisplay();
  system.pinnedScreen = GetPinnedScreenSize();
  return system;
}

void SEmulatedSystem::Apply() const {
  SetEmulatedWindowsVersion(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);
  SetCurrentThemeFile(themeFile);
  SetPaletteDisplay(palette);
  SetScreenSize(pinnedScreen.cx, pinnedScreen.cy);
}
