#include "platform/ui/ToolTipCtrl.h"

#include <algorithm>

#include "platform/gdi/SystemInfo.h"
#include "platform/res/StringTable.h"
#include "platform/ui/PaintDC.h"

namespace {

// Space between the tip's border and its text, and how far below the mouse the tip shows, so
// that the pointer does not cover it.
constexpr int kPadding = 3;
constexpr int kBelowPointer = 20;
// A balloon keeps its text off the rounded corners.
constexpr int kBalloonPadding = 8;
constexpr int kBalloonCorner = 12;
constexpr int kIconSize = 16;
constexpr int kIconGap = 6;

COLORREF IconColor(UINT icon) {
  switch (icon) {
    case TTI_WARNING:
      return RGB(230, 170, 0);
    case TTI_ERROR:
      return RGB(200, 30, 30);
    default:
      return RGB(30, 100, 200);
  }
}

const char16_t* IconMark(UINT icon) { return icon == TTI_INFO ? u"i" : u"!"; }

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CToolTipCtrl, CWnd)
  .OnPaint(&CToolTipCtrl::OnPaint)
  .OnMouseActivate(&CToolTipCtrl::OnMouseActivate)
END_MESSAGE_MAP()
// clang-format on

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
  if (!m_tipFont.GetSafeHandle()) {
    LOGFONT logFont = GetMessageLogFont();
    m_tipFont.CreateFontIndirect(&logFont);
    logFont.lfWeight = FW_BOLD;
    m_titleFont.CreateFontIndirect(&logFont);
  }
  return CWnd::CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, u"tooltips_class32", nullptr,
                        (style & ~(WS_VISIBLE | WS_CHILD | WS_CAPTION)) | WS_POPUP, CRect(0, 0, 0, 0), parent,
                        0);
}

CToolTipCtrl::STool* CToolTipCtrl::Find(CWnd* wnd, UINT_PTR id) {
  for (STool& tool : m_tools) {
    if (tool.wnd == wnd && tool.id == id) return &tool;
  }
  return nullptr;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCTSTR text, LPCRECT rect, UINT_PTR toolId) {
  if (!wnd) return FALSE;
  DelTool(wnd, toolId);
  STool tool{wnd, toolId, rect != nullptr, rect ? *rect : RECT{0, 0, 0, 0}, CString(text)};
  m_tools.push_back(tool);
  if (m_active) ShowIfUnderMouse(tool);
  return TRUE;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, UINT textId, LPCRECT rect, UINT_PTR toolId) {
  return AddTool(wnd, ResString(textId), rect, toolId);
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR toolId) {
  std::erase_if(m_tools, [&](const STool& tool) { return tool.wnd == wnd && tool.id == toolId; });
}

void CToolTipCtrl::Activate(BOOL activate) {
  m_active = activate != FALSE;
  if (!m_active) Pop();
}

void CToolTipCtrl::Pop() {
  if (m_shown.IsEmpty()) return;
  m_shown.Empty();
  ShowWindow(SW_HIDE);
}

void CToolTipCtrl::SetDelayTime(UINT delay) {
  m_delays[TTDT_INITIAL] = int(delay);
  m_delays[TTDT_AUTOPOP] = int(delay) * 10;
  m_delays[TTDT_RESHOW] = int(delay) / 5;
}

void CToolTipCtrl::SetDelayTime(DWORD which, int delay) {
  if (which == TTDT_AUTOMATIC) return SetDelayTime(UINT(std::max(delay, 0)));
  if (which <= TTDT_INITIAL) m_delays[which] = delay;
}

int CToolTipCtrl::GetDelayTime(DWORD which) const { return which <= TTDT_INITIAL ? m_delays[which] : 0; }

BOOL CToolTipCtrl::SetTitle(UINT icon, LPCTSTR title) {
  m_title = title ? CString(title) : CString();
  m_titleIcon = icon;
  return TRUE;
}

int CToolTipCtrl::TitleHeight(CDC& dc) {
  if (m_title.IsEmpty()) return 0;
  CFont* old = dc.SelectObject(&m_titleFont);
  const int height = dc.GetTextExtent(m_title).cy;
  dc.SelectObject(old);
  return std::max(height, m_titleIcon != TTI_NONE ? kIconSize : 0) + kPadding;
}

void CToolTipCtrl::DrawTitle(CDC& dc, const CRect& area) {
  if (m_title.IsEmpty()) return;
  int x = area.left;
  if (m_titleIcon != TTI_NONE) {
    CBrush brush(IconColor(m_titleIcon));
    CPen pen(PS_SOLID, 1, IconColor(m_titleIcon));
    CBrush* oldBrush = dc.SelectObject(&brush);
    CPen* oldPen = dc.SelectObject(&pen);
    dc.Ellipse(x, area.top, x + kIconSize, area.top + kIconSize);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    CFont* old = dc.SelectObject(&m_titleFont);
    dc.SetTextColor(RGB(255, 255, 255));
    CRect mark(x, area.top, x + kIconSize, area.top + kIconSize);
    dc.DrawText(IconMark(m_titleIcon), -1, mark, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc.SelectObject(old);
    x += kIconSize + kIconGap;
  }
  CFont* old = dc.SelectObject(&m_titleFont);
  dc.SetTextColor(GetSysColor(COLOR_INFOTEXT));
  dc.TextOut(x, area.top, m_title);
  dc.SelectObject(old);
}

int CToolTipCtrl::SetMaxTipWidth(int width) {
  const int old = m_maxWidth;
  m_maxWidth = width;
  return old;
}

UINT CToolTipCtrl::TextFormat() const { return DT_LEFT | DT_NOPREFIX | (m_maxWidth > 0 ? DT_WORDBREAK : 0); }

void CToolTipCtrl::Show(const CString& text, CPoint screenPoint) {
  if (text == m_shown || !m_hWnd) return;
  m_shown = text;
  CRect textRect(0, 0, m_maxWidth > 0 ? m_maxWidth : 0, 0);
  int titleWidth = 0;
  int titleHeight = 0;
  {
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&m_tipFont);
    dc.DrawText(text, textRect, TextFormat() | DT_CALCRECT);
    dc.SelectObject(&m_titleFont);
    if (!m_title.IsEmpty())
      titleWidth = dc.GetTextExtent(m_title).cx + (m_titleIcon != TTI_NONE ? kIconSize + kIconGap : 0);
    dc.SelectObject(old);
    titleHeight = TitleHeight(dc);
  }
  const int edge = 1 + (IsBalloon() ? kBalloonPadding : kPadding);
  SetWindowPos(nullptr, screenPoint.x, screenPoint.y, std::max<int>(textRect.Width(), titleWidth) + 2 * edge,
               textRect.Height() + titleHeight + 2 * edge, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  Invalidate();
  UpdateWindow();
}

void CToolTipCtrl::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(client);
  if (IsBalloon()) {
    // The corners outside the rounded frame show the window colour.
    dc.FillSolidRect(client, GetSysColor(COLOR_WINDOW));
    CBrush fill(GetSysColor(COLOR_INFOBK));
    CPen frame(PS_SOLID, 1, GetSysColor(COLOR_INFOTEXT));
    CBrush* oldBrush = dc.SelectObject(&fill);
    CPen* oldPen = dc.SelectObject(&frame);
    dc.RoundRect(client.left, client.top, client.right, client.bottom, kBalloonCorner, kBalloonCorner);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
  } else {
    dc.FillSolidRect(client, GetSysColor(COLOR_INFOBK));
    CBrush frame(GetSysColor(COLOR_INFOTEXT));
    dc.FrameRect(client, &frame);
  }
  dc.SetBkMode(TRANSPARENT);
  CRect text = client;
  const int edge = 1 + (IsBalloon() ? kBalloonPadding : kPadding);
  text.DeflateRect(edge, edge);
  DrawTitle(dc, text);
  text.top += TitleHeight(dc);
  CFont* old = dc.SelectObject(&m_tipFont);
  dc.SetTextColor(GetSysColor(COLOR_INFOTEXT));
  dc.DrawText(m_shown, text, TextFormat());
  dc.SelectObject(old);
}

// A click into a tip leaves the window that is being worked in active.
int CToolTipCtrl::OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATE; }

bool CToolTipCtrl::ShowIfUnderMouse(const STool& tool) {
  if (tool.wnd != m_mouseWnd || !CWnd::IsWindowHandle(tool.wnd)) return false;
  RECT area = tool.rect;
  if (!tool.hasRect) tool.wnd->GetClientRect(&area);
  if (!::PtInRect(&area, m_mousePoint)) return false;
  CPoint below(m_mousePoint.x, m_mousePoint.y + kBelowPointer);
  tool.wnd->ClientToScreen(&below);
  Show(tool.text, below);
  return true;
}

void CToolTipCtrl::RelayEvent(LPMSG msg) {
  if (!msg || !m_active) return;
  if (msg->message != WM_MOUSEMOVE) {
    if (msg->message >= WM_LBUTTONDOWN && msg->message <= WM_MBUTTONDBLCLK) Pop();
    return;
  }
  m_mouseWnd = msg->hwnd;
  m_mousePoint = CPoint(GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam));
  for (const STool& tool : m_tools) {
    if (ShowIfUnderMouse(tool)) return;
  }
  Pop();
}
