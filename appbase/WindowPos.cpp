#include "appbase/WindowPos.h"

#include <algorithm>

#include "appbase/Registry.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/WindowState.h"
#include "platform/ui/Wnd.h"

CWindowPos::CWindowPos(const CString& name, CWnd* window)
    : m_pWnd(window),
      m_strLeft(name + u"Left"),
      m_strRight(name + u"Right"),
      m_strTop(name + u"Top"),
      m_strBottom(name + u"Bottom") {}

void CWindowPos::Restore(const CString& keyPath) {
  m_left = 2;
  m_top = 2;
  m_right = LONG(GetSystemMetrics(SM_CXSCREEN) * 0.5);
  m_bottom = LONG(GetSystemMetrics(SM_CYSCREEN) * 0.9);
  const CRegistry registry(keyPath);
  for (auto [name, field] : {std::pair{&m_strLeft, &m_left}, std::pair{&m_strTop, &m_top},
                             std::pair{&m_strRight, &m_right}, std::pair{&m_strBottom, &m_bottom}}) {
    DWORD value = 0;
    if (registry.ReadDWORD(*name, value)) *field = LONG(value);
  }
  KeepOnWorkArea();
}

// A stored rectangle may come from another screen, or from a window dragged partly off this
// one; placed as stored, its title bar could lie off the screen and the window could not be
// dragged back. It is moved, at its size, onto the work area as far as it fits there, its
// top-left corner first.
void CWindowPos::KeepOnWorkArea() {
  RECT area{};
  if (!SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0)) return;
  const LONG width = m_right - m_left;
  const LONG height = m_bottom - m_top;
  const LONG left = std::max(area.left, std::min(m_left, area.right - width));
  const LONG top = std::max(area.top, std::min(m_top, area.bottom - height));
  m_left = left;
  m_top = top;
  m_right = left + width;
  m_bottom = top + height;
}

void CWindowPos::Save(const CString& keyPath) {
  if (!m_pWnd || IsIconic(m_pWnd->GetSafeHwnd())) return;
  RECT rect{};
  m_pWnd->GetWindowRect(&rect);
  m_left = std::clamp<LONG>(rect.left, 1, std::max(1, GetSystemMetrics(SM_CXSCREEN)));
  m_top = std::clamp<LONG>(rect.top, 1, std::max(1, GetSystemMetrics(SM_CYSCREEN)));
  m_right = rect.right;
  m_bottom = rect.bottom;
  CRegistry registry(keyPath);
  registry.WriteDWORD(m_strLeft, DWORD(m_left));
  registry.WriteDWORD(m_strTop, DWORD(m_top));
  registry.WriteDWORD(m_strRight, DWORD(m_right));
  registry.WriteDWORD(m_strBottom, DWORD(m_bottom));
}
