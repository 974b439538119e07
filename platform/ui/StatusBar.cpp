#include "platform/ui/StatusBar.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/res/StringTable.h"
#include "platform/ui/PaintDC.h"

namespace {

constexpr int kPaneGap = 2;
constexpr int kPanePadding = 8;
constexpr int kBarHeight = 22;

int IndicatorKey(UINT id) {
  switch (id) {
    case ID_INDICATOR_CAPS:
      return VK_CAPITAL;
    case ID_INDICATOR_NUM:
      return VK_NUMLOCK;
    case ID_INDICATOR_SCRL:
      return VK_SCROLL;
    default:
      return 0;
  }
}

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
  .OnPaint(&CStatusBar::OnPaint)
END_MESSAGE_MAP()
// clang-format on

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
  if (!CWnd::Create(nullptr, nullptr, (style & 0xFFFF0000) | WS_CHILD, CRect(0, 0, 0, kBarHeight), parent,
                    id))
    return FALSE;
  m_backgroundColor = COLOR_BTNFACE;
  return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
  m_panes.clear();
  for (int i = 0; i < count; ++i) {
    SPane pane;
    pane.id = ids[i];
    m_panes.push_back(pane);
  }
  m_bMeasured = false;
  UpdateIndicators();
  Invalidate();
  return TRUE;
}

BOOL CStatusBar::SetPaneText(int index, LPCTSTR text, BOOL update) {
  if (index < 0 || index >= GetCount()) return FALSE;
  const CString value = text ? CString(text) : CString();
  if (m_panes[index].text == value) return TRUE;
  m_panes[index].text = value;
  if (m_bMeasured) {
    CRect rect;
    GetItemRect(index, rect);
    InvalidateRect(rect);
  } else {
    Invalidate();
  }
  if (update) UpdateWindow();
  return TRUE;
}

CString CStatusBar::GetPaneText(int index) const {
  return index >= 0 && index < GetCount() ? m_panes[index].text : CString();
}

// The indicator panes are as wide as their texts; measured when first needed, since the bar
// need not draw before the frame shows.
void CStatusBar::MeasurePanes() const {
  if (m_bMeasured) return;
  m_bMeasured = true;
  CClientDC dc(const_cast<CStatusBar*>(this));
  for (SPane& pane : m_panes)
    if (pane.id != ID_SEPARATOR) pane.width = dc.GetTextExtent(ResString(pane.id)).cx + kPanePadding;
}

void CStatusBar::GetItemRect(int index, LPRECT rect) const {
  MeasurePanes();
  CRect client;
  GetClientRect(client);
  // The fixed panes sit at the right; the stretching pane takes what is left.
  int right = client.right - kPaneGap;
  for (int i = GetCount() - 1; i >= 0; --i) {
    const int width = m_panes[i].id == ID_SEPARATOR && i == 0 ? right - kPaneGap : m_panes[i].width;
    const CRect pane(right - width, client.top + kPaneGap, right, client.bottom - 1);
    if (i == index) {
      *rect = pane;
      return;
    }
    right -= width + kPaneGap;
  }
  *rect = CRect(0, 0, 0, 0);
}

void CStatusBar::UpdateIndicators() {
  for (int i = 0; i < GetCount(); ++i) {
    const int key = IndicatorKey(m_panes[i].id);
    if (!key) continue;
    const bool on = (GetKeyState(key) & 1) != 0;
    SetPaneText(i, on ? ResString(m_panes[i].id).GetString() : u"", FALSE);
  }
}

int CStatusBar::GetHeight() const { return kBarHeight; }

void CStatusBar::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(client);
  dc.FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
  for (int i = 0; i < GetCount(); ++i) {
    CRect pane;
    GetItemRect(i, pane);
    dc.Draw3dRect(pane, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    CRect text = pane;
    text.DeflateRect(3, 1);
    dc.DrawText(m_panes[i].text, text,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (i == 0 ? DT_LEFT : DT_CENTER));
  }
}
