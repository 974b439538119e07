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
  return TRUE;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, UINT textId, LPCRECT rect, UINT_PTR toolId) {
  return AddTool(wnd, ResString(textId), rect, toolId);
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR toolId) {
  std::erase_if(m_tools, [&](const STool& tool) { return tool.wnd == wnd && tool.id == toolId; });
}

void CToolTipCtrl::UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR toolId) {
  if (STool* tool = Find(wnd, toolId)) tool->text = text;
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
  {
    CClientDC dc(this);
    CFont* old = dc.SelectObject(&m_tipFont);
    dc.DrawText(text, textRect, TextFormat() | DT_CALCRECT);
    dc.SelectObject(old);
  }
  const int edge = 1 + kPadding;
  SetWindowPos(nullptr, screenPoint.x, screenPoint.y, textRect.Width() + 2 * edge,
               textRect.Height() + 2 * edge, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  Invalidate();
  UpdateWindow();
}

void CToolTipCtrl::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(client);
  dc.FillSolidRect(client, GetSysColor(COLOR_INFOBK));
  CBrush frame(GetSysColor(COLOR_INFOTEXT));
  dc.FrameRect(client, &frame);
  CFont* old = dc.SelectObject(&m_tipFont);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(GetSysColor(COLOR_INFOTEXT));
  CRect text = client;
  text.DeflateRect(1 + kPadding, 1 + kPadding);
  dc.DrawText(m_shown, text, TextFormat());
  dc.SelectObject(old);
}

// A click into a tip leaves the window that is being worked in active.
int CToolTipCtrl::OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATE; }

void CToolTipCtrl::RelayEvent(LPMSG msg) {
  if (!msg || !m_active) return;
  if (msg->message != WM_MOUSEMOVE) {
    if (msg->message >= WM_LBUTTONDOWN && msg->message <= WM_MBUTTONDBLCLK) Pop();
    return;
  }
  const POINT point{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
  for (const STool& tool : m_tools) {
    if (tool.wnd != msg->hwnd) continue;
    RECT area = tool.rect;
    if (!tool.hasRect) tool.wnd->GetClientRect(&area);
    if (::PtInRect(&area, point)) {
      CPoint below(point.x, point.y + kBelowPointer);
      tool.wnd->ClientToScreen(&below);
      Show(tool.text, below);
      return;
    }
  }
  Pop();
}
