#pragma once
// The device context the menus measure and build pictures with: the main window's, or one like
// the screen when the program has no main window (as the desktop window's would be).

#include <memory>

#include "platform/gdi/Dc.h"

class CWnd;

class CMainWindowDC {
 public:
  CMainWindowDC();
  ~CMainWindowDC();
  CMainWindowDC(const CMainWindowDC&) = delete;
  CMainWindowDC& operator=(const CMainWindowDC&) = delete;

  CDC& Dc() { return *m_dc; }

 private:
  CWnd* m_window = nullptr;
  CDC* m_dc = nullptr;
  std::unique_ptr<CDC> m_screen;
};
