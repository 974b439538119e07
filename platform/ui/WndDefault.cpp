// The default processing of messages (DefWindowProc) and the default handlers that derived
// handlers call for it.

#include <QFont>
#include <QWidget>
#include <algorithm>

#include "platform/gdi/Dc.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/UiThread.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WndDispatch.h"
#include "platform/ui/WndWidget.h"

namespace {

// The toolkit font of a font's description, for controls that the toolkit draws.
QFont ToQFont(const CFont& font) {
  LOGFONT log{};
  font.GetLogFont(&log);
  QFont result(QString::fromUtf16(log.lfFaceName));
  result.setPixelSize(std::max(1, int(log.lfHeight < 0 ? -log.lfHeight : log.lfHeight)));
  if (log.lfWeight > 0) result.setWeight(QFont::Weight(std::clamp(int(log.lfWeight), 1, 1000)));
  result.setItalic(log.lfItalic != 0);
  result.setUnderline(log.lfUnderline != 0);
  result.setStrikeOut(log.lfStrikeOut != 0);
  return result;
}

// The window whose menu bar the keyboard reaches from the window: its top-level window, which
// for a dialog is the dialog itself, not its owner.
CWnd* MenuWindow(CWnd* wnd) {
  while ((wnd->GetStyle() & WS_CHILD) && wnd->GetParent()) wnd = wnd->GetParent();
  return wnd;
}

}  // namespace

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool fromToolkitEvent = m_frame && m_frame->event && m_frame->message == message;
  if (!fromToolkitEvent && m_widget) {
    LRESULT answer = 0;
    if (m_widget->ControlMessage(message, wParam, lParam, answer)) return answer;
  }
  // A system character (Alt with a letter) is the menu's: the toolkit never types it.
  const bool toolkitMayRun = m_frame && m_frame->message == message && message != WM_SYSCHAR;
  if (toolkitMayRun && m_frame->event && m_widget && m_widget->IsToolkitControl() && !m_frame->toolkitRan) {
    if (m_frame->deferToolkit) {
      m_frame->toolkitWanted = true;
    } else {
      m_frame->toolkitRan = true;
      m_widget->RunToolkitDefault(m_frame->event);
    }
  } else if (toolkitMayRun && m_frame->deferToolkit) {
    m_frame->toolkitWanted = true;
  }
  const bool child = (m_style & WS_CHILD) && m_parent;
  switch (message) {
    case WM_PAINT: {
      CPaintDC dc(this);
      return 0;
    }
    case WM_ERASEBKGND: {
      if (m_backgroundColor < 0 || !wParam) return FALSE;
      CRect client;
      GetClientRect(client);
      CDC::FromHandle(HDC(wParam))->FillRect(client, CBrush::FromHandle(GetSysColorBrush(m_backgroundColor)));
      return TRUE;
    }
    case WM_RBUTTONUP: {
      CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      ClientToScreen(&point);
      SendMessage(WM_CONTEXTMENU, WPARAM(this), MAKELPARAM(WORD(SHORT(point.x)), WORD(SHORT(point.y))));
      return 0;
    }
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
      return child ? m_parent->SendMessage(message, wParam, lParam) : 0;
    case WM_MOUSEACTIVATE:
      // The parent answers first; a top-level window without a handler is activated.
      if (child) {
        if (LRESULT answer = m_parent->SendMessage(message, wParam, lParam)) return answer;
      }
      return MA_ACTIVATE;
    case WM_SETCURSOR:
      if (child && m_parent->SendMessage(message, wParam, lParam)) return TRUE;
      SetDefaultCursor(this);
      return FALSE;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      const bool face = message != WM_CTLCOLOREDIT && message != WM_CTLCOLORLISTBOX;
      if (CDC* dc = wParam ? CDC::FromHandle(HDC(wParam)) : nullptr) {
        dc->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
        dc->SetBkColor(GetSysColor(face ? COLOR_BTNFACE : COLOR_WINDOW));
      }
      return LRESULT(GetSysColorBrush(face ? COLOR_BTNFACE : COLOR_WINDOW));
    }
    case WM_SYSKEYUP:
      // Alt or F10 pressed and released alone selects the menu bar (F10 with Shift or Ctrl
      // does not).
      if (wParam == VK_MENU || wParam == VK_F10) {
        const bool plain =
            wParam == VK_MENU || !(WndWidget::HeldModifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
        if (WndWidget::TakeLoneMenuKey(UINT(wParam)) && plain)
          MenuWindow(this)->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
      }
      return 0;
    case WM_SYSCHAR:
      // Alt with a character opens the menu whose mnemonic it is.
      MenuWindow(this)->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wParam));
      return 0;
    case WM_CLOSE:
      DestroyWindow();
      return 0;
    case WM_NCHITTEST: {
      const CPoint screen(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      CPoint client = screen;
      ScreenToClient(&client);
      CRect area;
      GetClientRect(area);
      if (area.PtInRect(client)) return HTCLIENT;
      GetWindowRect(area);
      return area.PtInRect(screen) ? HTBORDER : HTNOWHERE;
    }
    case WM_SETFONT:
      m_font = reinterpret_cast<CFont*>(wParam);
      if (m_font && m_widget && m_widget->IsToolkitControl()) m_widget->Widget()->setFont(ToQFont(*m_font));
      return 0;
    case WM_GETFONT:
      return LRESULT(m_font);
    case WM_SETICON:
      return LRESULT(StoreIcon(wParam, reinterpret_cast<HICON>(lParam)));
    case WM_GETICON:
      return LRESULT(wParam == ICON_BIG ? m_bigIcon : m_smallIcon);
    default:
      return 0;
  }
}

CDC* CWnd::GetDC() { return new CClientDC(this); }

int CWnd::ReleaseDC(CDC* dc) {
  delete dc;
  return 1;
}

int CWnd::OnCreate(LPCREATESTRUCT) { return int(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return BOOL(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return BOOL(Default()); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return int(Default()); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnClose() { Default(); }
