#include "platform/ui/Static.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/PaintDC.h"

CStatic::CStatic() { m_backgroundColor = -1; }

BOOL CStatic::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(u"STATIC", text, style, rect, parent, id);
}

LRESULT CStatic::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return TRUE;  // the paint fills the background with the brush the parent gives
    case WM_LBUTTONUP:
      if ((GetStyle() & SS_NOTIFY) && GetParent())
        GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID()), STN_CLICKED), LPARAM(this));
      return 0;
    default:
      return CWnd::DefWindowProc(message, wParam, lParam);
  }
}

void CStatic::Paint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(client);
  CFont* font = GetFont() ? GetFont() : CFont::FromHandle(HFONT(GetStockObject(DEFAULT_GUI_FONT)));
  CFont* oldFont = dc.SelectObject(font);
  HBRUSH brush = GetSysColorBrush(COLOR_BTNFACE);
  dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
  dc.SetBkColor(GetSysColor(COLOR_BTNFACE));
  if (CWnd* parent = GetParent()) {
    if (auto answer = HBRUSH(parent->SendMessage(WM_CTLCOLORSTATIC, WPARAM(dc.GetSafeHdc()), LPARAM(this))))
      brush = answer;
  }
  dc.FillRect(client, CBrush::FromHandle(brush));
  const DWORD type = GetStyle() & SS_TYPEMASK;
  UINT format = DT_WORDBREAK;
  if (type == SS_CENTER) format |= DT_CENTER;
  if (type == SS_RIGHT) format |= DT_RIGHT;
  if (type == SS_LEFTNOWORDWRAP) format = DT_SINGLELINE;
  if (GetStyle() & SS_NOPREFIX) format |= DT_NOPREFIX;
  if (GetStyle() & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
  if (type <= SS_RIGHT || type == SS_LEFTNOWORDWRAP) dc.DrawText(GetWindowTextString(), client, format);
  dc.SelectObject(oldFont);
}
