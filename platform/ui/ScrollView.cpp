#include "platform/ui/ScrollView.h"

#include <algorithm>

#include "platform/gdi/SystemInfo.h"

// clang-format off
BEGIN_MESSAGE_MAP(CScrollView, CView)
  .OnCreate(&CScrollView::OnCreate)
  .OnSize(&CScrollView::OnSize)
  .OnHScroll(&CScrollView::OnHScroll)
  .OnVScroll(&CScrollView::OnVScroll)
  .OnMouseWheel(&CScrollView::OnMouseWheel)
END_MESSAGE_MAP()
// clang-format on

int CScrollView::OnCreate(LPCREATESTRUCT create) {
  if (CWnd::OnCreate(create) == -1) return -1;
  // Both bars may show; each is hidden while its range fits the window.
  ShowScrollBar(SB_BOTH, TRUE);
  UpdateBars();
  return 0;
}

void CScrollView::SetScrollSizes(int mapMode, SIZE total, const SIZE& page, const SIZE& line) {
  m_nMapMode = mapMode;
  m_totalSize = CSize(std::max<LONG>(total.cx, 0), std::max<LONG>(total.cy, 0));
  m_pageSize = page;
  m_lineSize = line;
  if (m_pageSize.cx == 0) m_pageSize.cx = m_totalSize.cx / 10;
  if (m_pageSize.cy == 0) m_pageSize.cy = m_totalSize.cy / 10;
  if (m_lineSize.cx == 0) m_lineSize.cx = m_pageSize.cx / 10;
  if (m_lineSize.cy == 0) m_lineSize.cy = m_pageSize.cy / 10;
  if (m_hWnd) UpdateBars();
}

CPoint CScrollView::GetScrollPosition() const { return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT)); }

void CScrollView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
  CView::OnPrepareDC(dc, info);
  if (dc->IsPrinting()) return;
  const CPoint position = GetScrollPosition();
  dc->SetViewportOrg(-position.x, -position.y);
}

void CScrollView::UpdateBars() {
  if (m_inUpdate || !m_hWnd) return;
  m_inUpdate = true;
  // Whether a bar is needed depends on the room the other one leaves.
  CRect window;
  GetWindowRect(window);
  const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
  const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
  bool vertical = m_totalSize.cy > window.Height();
  const bool horizontal = m_totalSize.cx > window.Width() - (vertical ? barWidth : 0);
  vertical = m_totalSize.cy > window.Height() - (horizontal ? barHeight : 0);
  const CSize client(std::max(window.Width() - (vertical ? barWidth : 0), 0),
                     std::max(window.Height() - (horizontal ? barHeight : 0), 0));
  for (int bar : {SB_HORZ, SB_VERT}) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = std::max(int(bar == SB_HORZ ? m_totalSize.cx : m_totalSize.cy) - 1, 0);
    info.nPage = UINT(bar == SB_HORZ ? client.cx : client.cy);
    SetScrollInfo(bar, &info, TRUE);
  }
  m_inUpdate = false;
}

void CScrollView::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  UpdateBars();
}

void CScrollView::ScrollBy(int bar, UINT code, UINT pos) {
  const bool horizontal = bar == SB_HORZ;
  const int line = std::max<int>(horizontal ? m_lineSize.cx : m_lineSize.cy, 1);
  SCROLLINFO info;
  GetScrollInfo(bar, &info, SIF_ALL);
  const int page = std::max<int>(int(info.nPage), 1);
  int position = info.nPos;
  switch (code) {
    case SB_LINEUP:
      position -= line;
      break;
    case SB_LINEDOWN:
      position += line;
      break;
    case SB_PAGEUP:
      position -= page;
      break;
    case SB_PAGEDOWN:
      position += page;
      break;
    case SB_TOP:
      position = 0;
      break;
    case SB_BOTTOM:
      position = info.nMax;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = int(pos);
      break;
    default:
      return;
  }
  if (SetScrollPos(bar, position) != GetScrollPos(bar)) Invalidate(FALSE);
}

void CScrollView::OnHScroll(UINT code, UINT pos, CScrollBar*) { ScrollBy(SB_HORZ, code, pos); }

void CScrollView::OnVScroll(UINT code, UINT pos, CScrollBar*) { ScrollBy(SB_VERT, code, pos); }

BOOL CScrollView::OnMouseWheel(UINT, short delta, CPoint) {
  const int steps = delta / WHEEL_DELTA;
  for (int i = 0; i < std::abs(steps); ++i) ScrollBy(SB_VERT, steps > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
  return TRUE;
}
