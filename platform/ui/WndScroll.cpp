// The window's own scroll bars with the platform's rules: the page is at most the range, and
// the position stays within nMin .. nMax - nPage + 1 (nMax when there is no page).

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "platform/gdi/ImageDc.h"
#include "platform/ui/UiCall.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WndWidget.h"

namespace {

void Clamp(SCROLLINFO& info) {
  const int range = std::max(info.nMax - info.nMin + 1, 0);
  info.nPage = std::min<UINT>(info.nPage, UINT(range));
  const int maxPos = std::max(info.nMin, info.nMax - std::max(int(info.nPage) - 1, 0));
  info.nPos = std::clamp(info.nPos, info.nMin, maxPos);
}

}  // namespace

BOOL CWnd::SetScrollInfo(int bar, LPSCROLLINFO info, BOOL) {
  if (!m_widget || !info || (bar != SB_HORZ && bar != SB_VERT)) return FALSE;
  CallOnUiThread([&] {
    SCROLLINFO& state = m_widget->Scroll(bar).info;
    if (info->fMask & SIF_RANGE) {
      state.nMin = info->nMin;
      state.nMax = info->nMax;
    }
    if (info->fMask & SIF_PAGE) state.nPage = info->nPage;
    if (info->fMask & SIF_POS) state.nPos = info->nPos;
    m_widget->Scroll(bar).disableNoScroll = (info->fMask & SIF_DISABLENOSCROLL) != 0;
    Clamp(state);
    m_widget->UpdateScrollBars();
  });
  return TRUE;
}

BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask) const {
  if (!m_widget || !info || (bar != SB_HORZ && bar != SB_VERT)) return FALSE;
  const WndWidget::ScrollState& state = m_widget->Scroll(bar);
  info->fMask = mask;
  if (mask & SIF_RANGE) {
    info->nMin = state.info.nMin;
    info->nMax = state.info.nMax;
  }
  if (mask & SIF_PAGE) info->nPage = state.info.nPage;
  if (mask & SIF_POS) info->nPos = state.info.nPos;
  if (mask & SIF_TRACKPOS) info->nTrackPos = state.dragging ? state.info.nTrackPos : state.info.nPos;
  return TRUE;
}

int CWnd::SetScrollPos(int bar, int pos, BOOL redraw) {
  const int old = GetScrollPos(bar);
  SCROLLINFO info;
  info.fMask = SIF_POS;
  info.nPos = pos;
  SetScrollInfo(bar, &info, redraw);
  return old;
}

int CWnd::GetScrollPos(int bar) const {
  SCROLLINFO info;
  return GetScrollInfo(bar, &info, SIF_POS) ? info.nPos : 0;
}

int CWnd::GetScrollLimit(int bar) const {
  SCROLLINFO info;
  if (!GetScrollInfo(bar, &info, SIF_RANGE | SIF_PAGE)) return 0;
  return std::max(info.nMin, info.nMax - std::max(int(info.nPage) - 1, 0));
}

void CWnd::ShowScrollBar(UINT bar, BOOL show) {
  if (!m_widget) return;
  CallOnUiThread([&] {
    if (bar == UINT(SB_HORZ) || bar == UINT(SB_BOTH)) m_widget->Scroll(SB_HORZ).shown = show != FALSE;
    if (bar == UINT(SB_VERT) || bar == UINT(SB_BOTH)) m_widget->Scroll(SB_VERT).shown = show != FALSE;
    m_widget->UpdateScrollBars();
  });
}
