#include "grid/GridScrollBars.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/gdi/SystemInfo.h"

namespace {

bool IsVertical(int bar) { return bar == SB_VERT; }
UINT ScrollMessage(int bar) { return IsVertical(bar) ? WM_VSCROLL : WM_HSCROLL; }
UINT ShownBarBit(int bar) { return IsVertical(bar) ? 0x02 : 0x01; }

// The new position for a line, page or end code; -1 when the bar stays where it is.
int ScrollTarget(UINT code, int pos, int max, const SGridBarScroll& scroll, int page) {
  switch (code) {
    case SB_LINEUP:
      return pos <= 0 || scroll.lineBack < 0 ? -1 : std::max(0, pos - scroll.lineBack);
    case SB_LINEDOWN:
      return pos >= max || scroll.lineForward < 0 ? -1 : pos + scroll.lineForward;
    case SB_PAGEUP:
      return pos <= 0 ? -1 : std::max(0, pos - page);
    case SB_PAGEDOWN:
      return pos >= max ? -1 : std::min(max, pos + page);
    case SB_TOP:
      return pos <= 0 ? -1 : 0;
    case SB_BOTTOM:
      return pos >= max ? -1 : max;
    default:
      return -1;
  }
}

}  // namespace

CGridScrollBars::CGridScrollBars(CWnd& wnd, const CGridSizeSums& rowHeights, const CGridSizeSums& colWidths,
                                 std::function<void()> forgetPlaces)
    : m_wnd(wnd), m_rowHeights(rowHeights), m_colWidths(colWidths), m_forgetPlaces(std::move(forgetPlaces)) {}

void CGridScrollBars::Update(bool allowDraw, int fixedWidth, int fixedHeight, int totalWidth,
                             int totalHeight) {
  m_forgetPlaces();
  if (!allowDraw || !m_wnd.GetSafeHwnd()) return;
  Fit(fixedWidth, fixedHeight, totalWidth, totalHeight);
  // Showing a bar sizes the client area again, and what that starts may have computed places.
  m_forgetPlaces();
}

void CGridScrollBars::Fit(int fixedWidth, int fixedHeight, int totalWidth, int totalHeight) {
  CRect rect;
  m_wnd.GetClientRect(rect);
  if (rect.IsRectEmpty()) return;
  if (m_state & 0x02) rect.right += GetSystemMetrics(SM_CXVSCROLL) + GetSystemMetrics(SM_CXBORDER);
  if (m_state & 0x01) rect.bottom += GetSystemMetrics(SM_CYHSCROLL) + GetSystemMetrics(SM_CYBORDER);
  if (rect.right - fixedWidth <= 0 || rect.bottom - fixedHeight <= 0) {
    m_wnd.ShowScrollBar(SB_BOTH, FALSE);
    m_state = 0;
    m_vMax = m_hMax = 0;
    return;
  }
  const int scrollHeight = totalHeight - fixedHeight;
  const int scrollWidth = totalWidth - fixedWidth;
  int viewWidth = rect.right - fixedWidth;
  if (rect.bottom - fixedHeight < scrollHeight) viewWidth -= GetSystemMetrics(SM_CXVSCROLL);
  if (viewWidth < scrollWidth) rect.bottom -= GetSystemMetrics(SM_CYHSCROLL);
  const bool vertical = rect.bottom - fixedHeight < scrollHeight;
  const bool horizontal = viewWidth < scrollWidth;
  m_vMax = vertical ? scrollHeight - 1 : 0;
  m_hMax = horizontal ? scrollWidth - 1 : 0;
  // The state changes before the bars do: showing a bar sizes the client area again, and the
  // update that this starts must see the bars as they are.
  const UINT previous = std::exchange(m_state, UINT((vertical ? 0x02 : 0) | (horizontal ? 0x01 : 0)));
  if (vertical != ((previous & 0x02) != 0)) m_wnd.ShowScrollBar(SB_VERT, vertical);
  if (horizontal != ((previous & 0x01) != 0)) m_wnd.ShowScrollBar(SB_HORZ, horizontal);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMin = 0;
  info.nMax = m_hMax;
  info.nPage = m_hMax ? UINT(viewWidth) : 0;
  m_wnd.SetScrollInfo(SB_HORZ, &info, TRUE);
  info.nMax = m_vMax;
  info.nPage = m_vMax ? UINT(rect.bottom - fixedHeight) : 0;
  m_wnd.SetScrollInfo(SB_VERT, &info, TRUE);
}

int CGridScrollBars::Read(int bar, bool track) const {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  if (!m_wnd.GetSafeHwnd() || !m_wnd.GetScrollInfo(bar, &info, track ? SIF_TRACKPOS : SIF_POS)) return 0;
  return track ? info.nTrackPos : info.nPos;
}

void CGridScrollBars::Write(int bar, int pos) {
  m_forgetPlaces();
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_POS;
  info.nPos = pos;
  m_wnd.SetScrollInfo(bar, &info, TRUE);
}

void CGridScrollBars::Scroll(UINT code, const SGridBarScroll& scroll,
                             const std::function<CCellAddr()>& firstScrolled) {
  if (code > SB_BOTTOM) return;
  const int bar = scroll.bar;
  const int pos = Read(bar, false);
  const CCellAddr topLeft = firstScrolled();
  const CRect& client = scroll.client;
  CRect region = IsVertical(bar) ? CRect(0, scroll.fixedExtent, client.right, client.bottom)
                                 : CRect(scroll.fixedExtent, 0, client.right, client.bottom);
  if (code == SB_TOP || code == SB_BOTTOM) region = client;
  if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) {
    Write(bar, Read(bar, true));
    if (scroll.thumbAlwaysRepaints || firstScrolled() != topLeft) m_wnd.InvalidateRect(region);
    return;
  }
  const int page = (IsVertical(bar) ? client.Height() : client.Width()) - scroll.fixedExtent;
  const int target = ScrollTarget(code, pos, GetMaximum(bar), scroll, page);
  if (target < 0) return;
  Write(bar, target);
  if (Read(bar, false) != pos) m_wnd.InvalidateRect(region);
}

void CGridScrollBars::PostWheelScrolls(int delta, int wheelLines) {
  const bool pages = wheelLines == -1;
  const int count = pages ? delta / 120 : wheelLines * delta / 120;
  const UINT code = pages ? (count > 0 ? SB_PAGEUP : SB_PAGEDOWN) : (count > 0 ? SB_LINEUP : SB_LINEDOWN);
  for (int i = 0; i < std::abs(count); ++i) m_wnd.PostMessage(WM_VSCROLL, MAKEWPARAM(code, 0), 0);
}

void CGridScrollBars::BringCellIntoView(const CCellAddr& cell, const CCellBlock& visible,
                                        const CCellAddr& firstScrollable, const CRect& client,
                                        const CSize& fixedSize, const std::function<bool(CRect&)>& cellRect) {
  CWnd* focus = CWnd::GetFocus();
  ScrollLinesToward(SB_HORZ, visible.minCol, visible.maxCol, cell.col, firstScrollable.col);
  ScrollLinesToward(SB_VERT, visible.minRow, visible.maxRow, cell.row, firstScrollable.row);
  ScrollLinesWhilePastEdge(SB_HORZ, client, fixedSize.cx, cellRect);
  ScrollLinesWhilePastEdge(SB_VERT, client, fixedSize.cy, cellRect);
  if (focus && focus != CWnd::GetFocus()) focus->SetFocus();
}

void CGridScrollBars::ScrollLinesToward(int bar, int firstVisible, int lastVisible, int index,
                                        int fixedCount) {
  ScrollLinesOver(bar, lastVisible + 1, index, 1);
  ScrollLinesOver(bar, firstVisible - 1, std::max(index, fixedCount), -1);
}

void CGridScrollBars::ScrollLinesOver(int bar, int from, int last, int step) {
  const CGridSizeSums& sizes = SizesAlong(bar);
  for (int i = from; step > 0 ? i <= last : i >= last; i += step)
    if (sizes.Get(i) > 0) m_wnd.SendMessage(ScrollMessage(bar), step > 0 ? SB_LINEDOWN : SB_LINEUP);
}

void CGridScrollBars::ScrollLinesWhilePastEdge(int bar, const CRect& client, int fixedExtent,
                                               const std::function<bool(CRect&)>& cellRect) {
  const bool vertical = IsVertical(bar);
  CRect rect;
  while (cellRect(rect) && (vertical ? rect.bottom > client.bottom : rect.right > client.right) &&
         (vertical ? rect.top : rect.left) > fixedExtent && (m_state & ShownBarBit(bar))) {
    const int before = Read(bar, false);
    m_wnd.SendMessage(ScrollMessage(bar), SB_LINEDOWN);
    if (Read(bar, false) == before) break;
  }
}
