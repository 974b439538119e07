#include "platform/ui/ToolTipCtrl.h"

#include <QCursor>
#include <QToolTip>

#include "platform/res/StringTable.h"
#include "platform/ui/QtString.h"
#include "platform/ui/WndWidget.h"

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
  // The tip itself is the toolkit's; the control is a hidden window that keeps the tools.
  return CWnd::CreateEx(0, u"tooltips_class32", nullptr, (style & ~WS_VISIBLE) | WS_POPUP, CRect(0, 0, 0, 0),
                        parent, 0);
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
  QToolTip::hideText();
}

int CToolTipCtrl::SetMaxTipWidth(int width) {
  const int old = m_maxWidth;
  m_maxWidth = width;
  return old;
}

void CToolTipCtrl::Show(const CString& text) {
  if (text == m_shown) return;
  m_shown = text;
  QToolTip::showText(QCursor::pos(), ToQString(text));
}

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
      Show(tool.text);
      return;
    }
  }
  Pop();
}
