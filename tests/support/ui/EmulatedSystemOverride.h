#pragma once
// Remembers the system the layer emulates (Windows version, desktop theme, palette display,
// screen size) and puts it back when it goes: a test that sets any of them for its menus or
// windows holds one, so that the tests after it see the default system again.

#include "platform/gdi/SystemInfo.h"

class CEmulatedSystemOverride {
 public:
  CEmulatedSystemOverride();
  ~CEmulatedSystemOverride();
  CEmulatedSystemOverride(const CEmulatedSystemOverride&) = delete;
  CEmulatedSystemOverride& operator=(const CEmulatedSystemOverride&) = delete;

 private:
  OSVERSIONINFO m_version{};
  CString m_themeFile;
  bool m_palette;
  int m_screenWidth;
  int m_screenHeight;
};
