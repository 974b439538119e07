// The message table, size changes, fonts and system colours.

#include "grid/org/CellGridOrg.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/CmdUI.h"

namespace {
// The framework's command id of Select All, which menus and accelerators send.
constexpr UINT kGridCommandSelectAll = 57642;
}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CCellGridOrg, CWnd)
  .OnPaint(&CCellGridOrg::OnPaint)
  .OnHScroll(&CCellGridOrg::OnHScroll)
  .OnVScroll(&CCellGridOrg::OnVScroll)
  .OnSize(&CCellGridOrg::OnSize)
  .OnLButtonUp(&CCellGridOrg::OnLButtonUp)
  .OnLButtonDown(&CCellGridOrg::OnLButtonDown)
  .OnMouseMove(&CCellGridOrg::OnMouseMove)
  .OnTimer(&CCellGridOrg::OnTimer)
  .OnGetDlgCode(&CCellGridOrg::OnGetDlgCode)
  .OnKeyDown(&CCellGridOrg::OnKeyDown)
  .OnChar(&CCellGridOrg::OnChar)
  .OnLButtonDblClk(&CCellGridOrg::OnLButtonDblClk)
  .OnEraseBkgnd(&CCellGridOrg::OnEraseBkgnd)
  .OnCommand(kGridCommandSelectAll, &CCellGridOrg::OnEditSelectAll)
  .OnUpdateCommandUI(kGridCommandSelectAll, &CCellGridOrg::OnUpdateEditSelectAll)
  .OnSysKeyDown(&CCellGridOrg::OnSysKeyDown)
  .OnSetCursor(&CCellGridOrg::OnSetCursor)
  .OnRButtonUp(&CCellGridOrg::OnRButtonUp)
  .OnMessage(WM_SYSCOLORCHANGE, &CCellGridOrg::OnSysColorChange)
  .OnCaptureChanged(&CCellGridOrg::OnCaptureChanged)
  .OnMouseWheel(&CCellGridOrg::OnMouseWheel)
  .OnMessage(WM_SETFONT, &CCellGridOrg::OnSetFontMessage)
  .OnMessage(WM_GETFONT, &CCellGridOrg::OnGetFontMessage)
END_MESSAGE_MAP()
// clang-format on

void CCellGridOrg::OnSize(UINT type, int cx, int cy) {
  // One guard for every second grid: a size change that shows a scroll bar sizes again.
  static bool busy = false;
  if (busy || !GetSafeHwnd()) return;
  busy = true;
  CWnd::OnSize(type, cx, cy);
  UpdateScrollBars();
  busy = false;
}

LRESULT CCellGridOrg::OnSysColorChange(WPARAM, LPARAM) {
  const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  const COLORREF buttonFace = GetSysColor(COLOR_BTNFACE);
  for (int i = 0; i < 4; ++i) {
    CDefaultCellOrg& cell = *m_defaultCells[i];
    if (cell.GetTextColor() == m_cachedWindowText) cell.SetTextColor(windowText);
    if (i == 0 && cell.GetBackColor() == m_cachedWindow) cell.SetBackColor(window);
    if (i != 0 && cell.GetBackColor() == m_cachedButtonFace) cell.SetBackColor(buttonFace);
  }
  if (m_backgroundColor == m_cachedButtonShadow) m_backgroundColor = GetSysColor(COLOR_BTNSHADOW);
  CacheSystemColors();
  return 0;
}

LRESULT CCellGridOrg::OnSetFontMessage(WPARAM font, LPARAM) {
  Default();
  auto* object = reinterpret_cast<CFont*>(font);
  LOGFONT logFont{};
  if (object && object->GetLogFont(&logFont))
    for (auto& cell : m_defaultCells) cell->SetFont(&logFont);
  RefreshWindow();
  return 0;
}

LRESULT CCellGridOrg::OnGetFontMessage(WPARAM, LPARAM) { return LRESULT(m_defaultCells[0]->GetFontObject()); }

void CCellGridOrg::OnUpdateEditSelectAll(CCmdUI* cmdUI) { cmdUI->Enable(m_selectionEnabled); }
