#pragma once
// The system the layer emulates for the whole process: Windows version, desktop theme, palette
// display and a pinned screen size. A test that sets any of them for its menus or windows holds
// an override, which puts them back when it goes, so that the tests after it see the default
// system again.

#include "platform/gdi/SystemInfo.h"

struct SEmulatedSystem {
  OSVERSIONINFO version{};
  CString themeFile;
  bool palette = false;
  SIZE pinnedScreen{0, 0};

  static SEmulatedSystem Read();
  // Makes this the system the layer emulates.
  void Apply() const;
};

class CEmulatedSystemOverride {
 public:
  CEmulatedSystemOverride() : m_before(SEmulatedSystem::Read()) {}
  ~CEmulatedSystemOverride() { m_before.Apply(); }
  CEmulatedSystemOverride(const CEmulatedSystemOverride&) = delete;
  CEmulatedSystemOverride& operator=(const CEmulatedSystemOverride&) = delete;

 private:
  SEmulatedSystem m_before;
};
