#include "grid/org/CellTipOrg.h"

#include "platform/base/Clock.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WindowClass.h"

namespace {

constexpr const char16_t* kCellTipWindowClass = u"CellTipWnd";
constexpr DWORD kNoClick = 0xFFFFFFFF;

void RegisterCellTipClass() {
  WNDCLASS windowClass;
  HINSTANCE instance = AfxGetInstanceHandle();
  if (GetClassInfo(instance, kCellTipWindowClass, &windowClass)) return;
  windowClass = WNDCLASS();
  windowClass.style = CS_SAVEBITS;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_INFOBK);
  windowClass.lpszClassName = kCellTipWindowClass;
  AfxRegisterClass(&windowClass);
}

// The non-client twin of a mouse message.
UINT NonClientMessage(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE:
      return WM_NCMOUSEMOVE;
    case WM_LBUTTONDOWN:
      return WM_NCLBUTTONDOWN;
    case WM_RBUTTONDOWN:
      return WM_NCRBUTTONDOWN;
    default:
      return WM_NCMBUTTONDOWN;
  }
}

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CCellTipOrg, CWnd)
  .OnMouseMove(&CCellTipOrg::OnMouseMove)
  .OnPaint(&CCellTipOrg::OnPaint)
END_MESSAGE_MAP()
// clang-format on

CCellTipOrg::CCellTipOrg() : m_doubleClickTime(GetDoubleClickTime()) {
  RegisterCellTipClass();
  m_backgroundColor = COLOR_INFOBK;
}

BOOL CCellTipOrg::Create(CWnd* parent) {
  if (GetSafeHwnd()) return TRUE;
  m_parentWnd = parent;
  m_created = CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kCellTipWindowClass, nullptr, WS_POPUP | WS_BORDER,
                       CRect(0, 0, 0, 0), nullptr, 0);
  return m_created;
}

void CCellTipOrg::ShowTip(const CRect& rect, const CString& text, int offset, const CRect* hover,
                          const LOGFONT* font, COLORREF textColor, COLORREF backColor) {
  if (!GetSafeHwnd()) Create(m_parentWnd);
  if (!GetSafeHwnd() || !m_parentWnd || rect.IsRectEmpty() || IsWindowVisible()) return;
  m_hoverRect = hover ? *hover : rect;
  m_hoverRect.InflateRect(0, 0, 1, 1);
  m_parentWnd->ClientToScreen(m_hoverRect);
  ScreenToClient(m_hoverRect);
  if (!GetFocus()) return;
  CRect screen = rect;
  m_parentWnd->ClientToScreen(screen);
  const CString shown = CString(u" ") + text + CString(u" ");
  m_font.DeleteObject();
  LOGFONT logFont{};
  auto* parentFont = reinterpret_cast<CFont*>(m_parentWnd->SendMessage(WM_GETFONT));
  if (font)
    logFont = *font;
  else if (parentFont)
    parentFont->GetLogFont(&logFont);
  if (font || parentFont) m_font.CreateFontIndirect(&logFont);
  CClientDC dc(this);
  CFont* old = m_font.GetSafeHandle() ? dc.SelectObject(&m_font) : nullptr;
  const CSize extent = dc.GetTextExtent(shown);
  TEXTMETRIC metrics{};
  dc.GetTextMetrics(&metrics);
  if (old) dc.SelectObject(old);
  const int width = extent.cx + metrics.tmOverhang + offset;
  if (screen.left + offset + width <= screen.right - offset) return;
  m_shownText = shown;
  m_textColor = textColor;
  m_backColor = backColor;
  SetWindowPos(nullptr, screen.left + offset, screen.top, width, screen.bottom - screen.top,
               SWP_NOACTIVATE | SWP_NOZORDER);
  ShowWindow(SW_SHOWNA);
  Invalidate();
  SetCapture();
}

void CCellTipOrg::OnPaint() {
  CPaintDC dc(this);
  CRect clip;
  dc.GetClipBox(clip);
  if (m_backColor != CLR_DEFAULT) {
    CBrush brush(m_backColor);
    dc.FillRect(clip, &brush);
  }
  if (m_textColor != CLR_DEFAULT) dc.SetTextColor(m_textColor);
  if (m_font.GetSafeHandle()) dc.SelectObject(&m_font);
  dc.SetBkMode(TRANSPARENT);
  dc.TextOut(0, 0, m_shownText);
}

void CCellTipOrg::HideTip() {
  if (!GetSafeHwnd()) return;
  if (GetCapture() == this) ReleaseCapture();
  ShowWindow(SW_HIDE);
}

BOOL CCellTipOrg::DestroyWindow() {
  m_created = FALSE;
  return CWnd::DestroyWindow();
}

void CCellTipOrg::OnMouseMove(UINT flags, CPoint point) {
  if (m_hoverRect.PtInRect(point)) return;
  HideTip();
  PassOn(WM_MOUSEMOVE, flags, point);
}

void CCellTipOrg::PassOn(UINT message, WPARAM wParam, CPoint point) {
  CPoint screen = point;
  ClientToScreen(&screen);
  CWnd* target = WindowFromPoint(screen);
  if (!target) return;
  if (target == this) target = m_parentWnd;
  if (!target) return;
  const LPARAM screenParam = MAKELPARAM(WORD(SHORT(screen.x)), WORD(SHORT(screen.y)));
  const UINT hit = UINT(target->SendMessage(WM_NCHITTEST, 0, screenParam));
  if (hit == HTCLIENT) {
    CPoint client = screen;
    target->ScreenToClient(&client);
    target->PostMessage(message, wParam, MAKELPARAM(WORD(SHORT(client.x)), WORD(SHORT(client.y))));
  } else {
    target->PostMessage(NonClientMessage(message), hit, screenParam);
  }
}

BOOL CCellTipOrg::PreTranslateMessage(MSG* msg) {
  switch (msg->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      UINT message = msg->message;
      if (message == WM_LBUTTONDOWN) {
        const DWORD now = GetTickCount();
        // A tip that was never clicked has no earlier press to pair with.
        if (m_lastClickTime != kNoClick && now - m_lastClickTime <= m_doubleClickTime) message = WM_LBUTTONDBLCLK;
        m_lastClickTime = now;
      }
      const CPoint point(GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam));
      HideTip();
      CPoint screen = point;
      ClientToScreen(&screen);
      if (!WindowFromPoint(screen)) return FALSE;
      PassOn(message, msg->wParam, point);
      return TRUE;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      HideTip();
      if (m_parentWnd) m_parentWnd->PostMessage(msg->message, msg->wParam, msg->lParam);
      return TRUE;
    default:
      if (!GetFocus()) {
        HideTip();
        return TRUE;
      }
      return CWnd::PreTranslateMessage(msg);
  }
}
