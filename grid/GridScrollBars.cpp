#include "grid/GridScrollBars.h"

#include <utility>

#include "platform/gdi/SystemInfo.h"

void UpdateGridScrollBars(CWnd& wnd, UINT& state, int& vMax, int& hMax, int fixedWidth, int fixedHeight,
                          int totalWidth, int totalHeight) {
  CRect rect;
  wnd.GetClientRect(rect);
  if (rect.IsRectEmpty()) return;
  if (state & 0x02) rect.right += GetSystemMetrics(SM_CXVSCROLL) + GetSystemMetrics(SM_CXBORDER);
  if (state & 0x01) rect.bottom += GetSystemMetrics(SM_CYHSCROLL) + GetSystemMetrics(SM_CYBORDER);
  if (rect.right - fixedWidth <= 0 || rect.bottom - fixedHeight <= 0) {
    wnd.ShowScrollBar(SB_BOTH, FALSE);
    state = 0;
    vMax = hMax = 0;
    return;
  }
  const int scrollHeight = totalHeight - fixedHeight;
  const int scrollWidth = totalWidth - fixedWidth;
  int viewWidth = rect.right - fixedWidth;
  if (rect.bottom - fixedHeight < scrollHeight) viewWidth -= GetSystemMetrics(SM_CXVSCROLL);
  if (viewWidth < scrollWidth) rect.bottom -= GetSystemMetrics(SM_CYHSCROLL);
  const bool vertical = rect.bottom - fixedHeight < scrollHeight;
  const bool horizontal = viewWidth < scrollWidth;
  vMax = vertical ? scrollHeight - 1 : 0;
  hMax = horizontal ? scrollWidth - 1 : 0;
  const UINT previous = std::exchange(state, UINT((vertical ? 0x02 : 0) | (horizontal ? 0x01 : 0)));
  if (vertical != ((previous & 0x02) != 0)) wnd.ShowScrollBar(SB_VERT, vertical);
  if (horizontal != ((previous & 0x01) != 0)) wnd.ShowScrollBar(SB_HORZ, horizontal);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMin = 0;
  info.nMax = hMax;
  info.nPage = hMax ? UINT(viewWidth) : 0;
  wnd.SetScrollInfo(SB_HORZ, &info, TRUE);
  info.nMax = vMax;
  info.nPage = vMax ? UINT(rect.bottom - fixedHeight) : 0;
  wnd.SetScrollInfo(SB_VERT, &info, TRUE);
}

int ReadGridScrollPosition(const CWnd& wnd, int bar, bool track) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  if (!wnd.GetSafeHwnd() || !wnd.GetScrollInfo(bar, &info, track ? SIF_TRACKPOS : SIF_POS)) return 0;
  return track ? info.nTrackPos : info.nPos;
}

void WriteGridScrollPosition(CWnd& wnd, int bar, int pos) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_POS;
  info.nPos = pos;
  wnd.SetScrollInfo(bar, &info, TRUE);
}
