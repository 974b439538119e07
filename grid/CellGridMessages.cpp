// The message table, size changes, fonts and system colours.

#include "grid/CellGrid.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/CmdUI.h"

namespace {
// The framework's edit command ids, which menus and accelerators send to the focused window.
constexpr UINT kGridCommandCopy = 57634;
constexpr UINT kGridCommandCut = 57635;
constexpr UINT kGridCommandPaste = 57637;
constexpr UINT kGridCommandSelectAll = 57642;
}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CCellGrid, CWnd)
  .OnPaint(&CCellGrid::OnPaint)
  .OnEraseBkgnd(&CCellGrid::OnEraseBkgnd)
  .OnSize(&CCellGrid::OnSize)
  .OnHScroll(&CCellGrid::OnHScroll)
  .OnVScroll(&CCellGrid::OnVScroll)
  .OnMouseWheel(&CCellGrid::OnMouseWheel)
  .OnMessage(WM_SYSCOLORCHANGE, &CCellGrid::OnSysColorChange)
  .OnMessage(WM_SETFONT, &CCellGrid::OnSetFontMessage)
  .OnMessage(WM_GETFONT, &CCellGrid::OnGetFontMessage)
  .OnCommand(kGridCommandSelectAll, &CCellGrid::OnEditSelectAll)
  .OnUpdateCommandUI(kGridCommandSelectAll, &CCellGrid::OnUpdateEditSelectAll)
  .OnCommand(kGridCommandCopy, &CCellGrid::OnEditCopy)
  .OnUpdateCommandUI(kGridCommandCopy, &CCellGrid::OnUpdateEditCopy)
  .OnCommand(kGridCommandCut, &CCellGrid::OnEditCut)
  .OnUpdateCommandUI(kGridCommandCut, &CCellGrid::OnUpdateEditCut)
  .OnCommand(kGridCommandPaste, &CCellGrid::OnEditPaste)
  .OnUpdateCommandUI(kGridCommandPaste, &CCellGrid::OnUpdateEditPaste)
  .OnLButtonDown(&CCellGrid::OnLButtonDown)
  .OnLButtonUp(&CCellGrid::OnLButtonUp)
  .OnLButtonDblClk(&CCellGrid::OnLButtonDblClk)
  .OnMouseMove(&CCellGrid::OnMouseMove)
  .OnRButtonDown(&CCellGrid::OnRButtonDown)
  .OnRButtonUp(&CCellGrid::OnRButtonUp)
  .OnTimer(&CCellGrid::OnTimer)
  .OnSetCursor(&CCellGrid::OnSetCursor)
  .OnCaptureChanged(&CCellGrid::OnCaptureChanged)
  .OnGetDlgCode(&CCellGrid::OnGetDlgCode)
  .OnKeyDown(&CCellGrid::OnKeyDown)
  .OnChar(&CCellGrid::OnChar)
  .OnMessage(WM_IME_CHAR, &CCellGrid::OnImeChar)
  .OnNotify(GRIDN_ENDLABELEDIT, kEditorId, &CCellGrid::OnEditorClosed)
END_MESSAGE_MAP()
// clang-format on

void CCellGrid::OnSize(UINT type, int cx, int cy) {
  static bool busy = false;
  if (busy || !GetSafeHwnd()) return;
  busy = true;
  StopEditing();
  if (!m_dropTarget.IsRegistered()) m_dropTarget.Register(this);
  CWnd::OnSize(type, cx, cy);
  UpdateScrollBars();
  busy = false;
}

LRESULT CCellGrid::OnSysColorChange(WPARAM, LPARAM) {
  const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  for (int i : {0, 2, 1, 3}) {
    CDefaultCell& cell = *m_defaultCells[i];
    if (cell.GetTextColor() == m_cachedWindowText) cell.SetTextColor(windowText);
    if (cell.GetBackColor() == m_cachedWindow) cell.SetBackColor(window);
  }
  if (m_backgroundColor == m_cachedButtonShadow) m_backgroundColor = GetSysColor(COLOR_BTNSHADOW);
  CacheSystemColors();
  return 0;
}

LRESULT CCellGrid::OnSetFontMessage(WPARAM font, LPARAM) {
  Default();
  auto* object = reinterpret_cast<CFont*>(font);
  LOGFONT logFont{};
  if (object && object->GetLogFont(&logFont)) {
    for (auto& cell : m_defaultCells) cell->SetFont(&logFont);
  }
  RefreshWindow();
  return 0;
}

LRESULT CCellGrid::OnGetFontMessage(WPARAM, LPARAM) { return LRESULT(m_defaultCells[0]->GetFontObject()); }
