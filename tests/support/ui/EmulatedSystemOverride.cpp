#include "tests/support/ui/EmulatedSystemOverride.h"

CEmulatedSystemOverride::CEmulatedSystemOverride()
    : m_themeFile(GetCurrentThemeFile()),
      m_palette(IsPaletteDisplay()),
      m_screenWidth(GetSystemMetrics(SM_CXSCREEN)),
      m_screenHeight(GetSystemMetrics(SM_CYSCREEN)) {
  m_version.dwOSVersionInfoSize = sizeof m_version;
  GetVersionEx(&m_version);
}

CEmulatedSystemOverride::~CEmulatedSystemOverride() {
  SetEmulatedWindowsVersion(m_version.dwPlatformId, m_version.dwMajorVersion, m_version.dwMinorVersion);
  SetCurrentThemeFile(m_themeFile);
  SetPaletteDisplay(m_palette);
  SetScreenSize(m_screenWidth, m_screenHeight);
}
