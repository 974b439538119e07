#include "platform/ui/MenuBarWnd.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/PaintDC.h"

namespace {

constexpr int kItemPaddingX = 7;
constexpr int kBarHeight = 20;

CString ItemText(HMENU menu, int position) {
  CString text;
  GetMenuStringW(menu, UINT(position), text, MF_BYPOSITION);
  return text;
}

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CMenuBarWnd, CWnd)
  .OnPaint(&CMenuBarWnd::OnPaint)
  .OnLButtonDown(&CMenuBarWnd::OnLButtonDown)
END_MESSAGE_MAP()
// clang-format on

BOOL CMenuBarWnd::Create(CWnd* frame) {
  if (!CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, kBarHeight), frame, 0))
    return FALSE;
  m_backgroundColor = COLOR_MENU;
  return TRUE;
}

void CMenuBarWnd::SetMenu(HMENU menu) {
  m_menu = menu;
  Refresh();
}

int CMenuBarWnd::GetHeight() const { return kBarHeight; }

void CMenuBarWnd::Refresh() {
  m_items.clear();
  Invalidate();
}

// The entries' rectangles are measured once per change of the menu, in one pass.
void CMenuBarWnd::LayoutItems() const {
  if (!m_items.empty() || !IsMenu(m_menu)) return;
  CClientDC dc(const_cast<CMenuBarWnd*>(this));
  int x = 0;
  for (int i = 0; i < GetMenuItemCount(m_menu); ++i) {
    CRect measured(0, 0, 0, 0);
    dc.DrawText(ItemText(m_menu, i), measured, DT_SINGLELINE | DT_CALCRECT);
    const int width = measured.Width() + 2 * kItemPaddingX;
    m_items.push_back(CRect(x, 0, x + width, kBarHeight));
    x += width;
  }
}

CRect CMenuBarWnd::GetItemRect(int position) const {
  if (!IsMenu(m_menu) || position < 0 || position >= GetMenuItemCount(m_menu)) return CRect(0, 0, 0, 0);
  if (int(m_items.size()) != GetMenuItemCount(m_menu)) m_items.clear();
  LayoutItems();
  return position < int(m_items.size()) ? m_items[position] : CRect(0, 0, 0, 0);
}

int CMenuBarWnd::HitTest(CPoint point) const {
  if (!IsMenu(m_menu)) return -1;
  for (int i = 0; i < GetMenuItemCount(m_menu); ++i)
    if (GetItemRect(i).PtInRect(point)) return i;
  return -1;
}

void CMenuBarWnd::OpenItem(int position) {
  if (!IsMenu(m_menu) || position < 0 || position >= GetMenuItemCount(m_menu)) return;
  CWnd* frame = GetParent();
  const UINT state = GetMenuState(m_menu, UINT(position), MF_BYPOSITION);
  if (state & (MF_GRAYED | MF_DISABLED)) return;
  if (HMENU popup = GetSubMenu(m_menu, position)) {
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(WORD(position), 0));
    CRect item = GetItemRect(position);
    ClientToScreen(item);
    m_open = position;
    Invalidate();
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, item.left, item.bottom, 0, frame,
                   nullptr);
    m_open = -1;
    if (IsWindow()) Invalidate();
    return;
  }
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(GetMenuItemID(m_menu, position)), 0), 0);
}

void CMenuBarWnd::OnLButtonDown(UINT, CPoint point) { OpenItem(HitTest(point)); }

void CMenuBarWnd::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(client);
  dc.FillSolidRect(client, GetSysColor(COLOR_MENU));
  if (!IsMenu(m_menu)) return;
  dc.SetBkMode(TRANSPARENT);
  for (int i = 0; i < GetMenuItemCount(m_menu); ++i) {
    CRect item = GetItemRect(i);
    const bool open = i == m_open;
    if (open) dc.FillSolidRect(item, GetSysColor(COLOR_HIGHLIGHT));
    const UINT state = GetMenuState(m_menu, UINT(i), MF_BYPOSITION);
    const int color = open ? COLOR_HIGHLIGHTTEXT : (state & MF_GRAYED) ? COLOR_GRAYTEXT : COLOR_MENUTEXT;
    dc.SetTextColor(GetSysColor(color));
    dc.DrawText(ItemText(m_menu, i), item, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  }
}
