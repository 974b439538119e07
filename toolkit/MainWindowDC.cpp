#include "toolkit/MainWindowDC.h"

#include "platform/ui/Wnd.h"

CMainWindowDC::CMainWindowDC() : m_window(AfxGetMainWnd()) {
  if (m_window && m_window->IsWindow()) m_dc = m_window->GetDC();
  if (m_dc) return;
  m_window = nullptr;
  m_screen = std::make_unique<CDC>();
  m_screen->CreateCompatibleDC(nullptr);
  m_dc = m_screen.get();
}

CMainWindowDC::~CMainWindowDC() {
  if (m_window) m_window->ReleaseDC(m_dc);
}
