// Scroll bars, scrolling, the wheel, scrolling a cell into view and auto-size.

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "grid/CellBase.h"
#include "grid/CellGrid.h"
#include "grid/GridScrollBars.h"
#include "platform/ui/PaintDC.h"

namespace {

// The largest step of one line in pixel scrolling.
constexpr int kPixelLineStep = 15;

}  // namespace

int CCellGrid::ReadScrollPosition(int bar, BOOL track) const { return ReadGridScrollPosition(*this, bar, track); }

void CCellGrid::WriteScrollPosition(int bar, int pos) {
  ForgetTopLeft();
  WriteGridScrollPosition(*this, bar, pos);
}

void CCellGrid::UpdateScrollBars() {
  ForgetTopLeft();
  if (!m_allowDraw || !GetSafeHwnd()) return;
  UpdateGridScrollBars(*this, m_scrollBarState, m_vScrollMax, m_hScrollMax, GetFixedColumnsWidth(),
                       GetFixedRowsHeight(), GetTotalWidth(), GetTotalHeight());
  ForgetTopLeft();
}

// The rows and columns move under an open editor and a shown tip, which would then stand over
// other cells: both go before any scroll, the wheel's included.
void CCellGrid::OnHScroll(UINT code, UINT, CScrollBar*) {
  HideSubAreaTip();
  StopEditing();
  ScrollHorizontally(code);
}

void CCellGrid::OnVScroll(UINT code, UINT, CScrollBar*) {
  HideSubAreaTip();
  StopEditing();
  ScrollVertically(code);
}

void CCellGrid::ScrollHorizontally(UINT code) {
  if (code > SB_BOTTOM) return;
  const int pos = ReadScrollPosition(SB_HORZ);
  const CCellAddr topLeft = GetTopLeftScrollCell();
  const CRect client = GetGridClientRect();
  const int fixedWidth = GetFixedColumnsWidth();
  CRect region(fixedWidth, 0, client.right, client.bottom);
  int target = pos;
  switch (code) {
    case SB_LINELEFT: {
      if (pos <= 0 || topLeft.col <= m_fixedCols) return;
      int col = topLeft.col - 1;
      while (col > m_fixedCols && m_colWidths.Get(col) == 0) --col;
      target = std::max(0, pos - m_colWidths.Get(col));
      break;
    }
    case SB_LINERIGHT: {
      if (pos >= m_hScrollMax) return;
      int col = topLeft.col;
      while (col < m_cols - 1 && m_colWidths.Get(col) == 0) ++col;
      target = pos + (col < m_cols ? m_colWidths.Get(col) : 0);
      break;
    }
    case SB_PAGELEFT:
      if (pos <= 0) return;
      target = std::max(0, pos - (client.Width() - fixedWidth));
      break;
    case SB_PAGERIGHT:
      if (pos >= m_hScrollMax) return;
      target = std::min(m_hScrollMax, pos + (client.Width() - fixedWidth));
      break;
    case SB_LEFT:
      if (pos <= 0) return;
      target = 0;
      region = client;
      break;
    case SB_RIGHT:
      if (pos >= m_hScrollMax) return;
      target = m_hScrollMax;
      region = client;
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      WriteScrollPosition(SB_HORZ, ReadScrollPosition(SB_HORZ, TRUE));
      if (GetTopLeftScrollCell() != topLeft) InvalidateRect(region);
      return;
    }
    default:
      return;
  }
  WriteScrollPosition(SB_HORZ, target);
  if (ReadScrollPosition(SB_HORZ) != pos) InvalidateRect(region);
}

int CCellGrid::LineDownRow(const CCellAddr& topLeft) const {
  int row = topLeft.row;
  while (row < m_rows - 1 && m_rowHeights.Get(row) == 0) ++row;
  return row;
}

int CCellGrid::LineUpRow(const CCellAddr& topLeft) const {
  // In pixel scrolling the first row may be scrolled partly out of view; a line up then steps
  // back within it, so that the start of the rows can be reached by lines.
  if (!m_wholeRowScrolling && topLeft.row <= m_fixedRows) return topLeft.row;
  int row = topLeft.row - 1;
  while (row > m_fixedRows && m_rowHeights.Get(row) == 0) --row;
  return row;
}

void CCellGrid::ScrollVertically(UINT code) {
  if (code > SB_BOTTOM) return;
  const int pos = ReadScrollPosition(SB_VERT);
  const CCellAddr topLeft = GetTopLeftScrollCell();
  const CRect client = GetGridClientRect();
  const int fixedHeight = GetFixedRowsHeight();
  CRect region(0, fixedHeight, client.right, client.bottom);
  const int lineCap = m_wholeRowScrolling ? INT_MAX : kPixelLineStep;
  int target = pos;
  switch (code) {
    case SB_LINEUP: {
      if (pos <= 0 || (m_wholeRowScrolling && topLeft.row <= m_fixedRows)) return;
      const int row = LineUpRow(topLeft);
      if (row < 0 || row >= m_rows) return;
      target = std::max(0, pos - std::min(m_rowHeights.Get(row), lineCap));
      break;
    }
    case SB_LINEDOWN: {
      if (pos >= m_vScrollMax || topLeft.row >= m_rows) return;
      target = pos + std::min(m_rowHeights.Get(LineDownRow(topLeft)), lineCap);
      break;
    }
    case SB_PAGEUP:
      if (pos <= 0) return;
      target = std::max(0, pos - (client.Height() - fixedHeight));
      break;
    case SB_PAGEDOWN:
      if (pos >= m_vScrollMax) return;
      target = std::min(m_vScrollMax, pos + (client.Height() - fixedHeight));
      break;
    case SB_TOP:
      if (pos <= 0) return;
      target = 0;
      region = client;
      break;
    case SB_BOTTOM:
      if (pos >= m_vScrollMax) return;
      target = m_vScrollMax;
      region = client;
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      WriteScrollPosition(SB_VERT, ReadScrollPosition(SB_VERT, TRUE));
      // Within a row the pixel offset changes, so pixel scrolling always repaints.
      if (!m_wholeRowScrolling || GetTopLeftScrollCell() != topLeft) InvalidateRect(region);
      return;
    default:
      return;
  }
  WriteScrollPosition(SB_VERT, target);
  if (ReadScrollPosition(SB_VERT) != pos) InvalidateRect(region);
}

BOOL CCellGrid::OnMouseWheel(UINT flags, short delta, CPoint point) {
  CPoint client = point;
  ScreenToClient(&client);
  const CCellAddr cell = GetCellAtPoint(client, TRUE);
  CCellBase* target = GetCell(cell.row, cell.col);
  if (!target || target->OnMouseWheel(cell.row, cell.col, delta)) {
    if (m_wheelScrollLines == -1) {
      const int pages = delta / 120;
      for (int i = 0; i < std::abs(pages); ++i)
        PostMessage(WM_VSCROLL, MAKEWPARAM(pages > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0), 0);
    } else {
      const int lines = m_wheelScrollLines * delta / 120;
      for (int i = 0; i < std::abs(lines); ++i)
        PostMessage(WM_VSCROLL, MAKEWPARAM(lines > 0 ? SB_LINEUP : SB_LINEDOWN, 0), 0);
    }
  }
  return CWnd::OnMouseWheel(flags, delta, point);
}

void CCellGrid::EnsureVisible(int row, int col) {
  if (!m_allowDraw || !IsValid(row, col)) return;
  CWnd* focus = GetFocus();
  CCellBlock visible = GetVisibleCellRange();
  for (int c = visible.maxCol + 1; c <= col; ++c)
    if (m_colWidths.Get(c) > 0) SendMessage(WM_HSCROLL, SB_LINERIGHT);
  for (int c = visible.minCol - 1; c >= col && c >= m_fixedCols; --c)
    if (m_colWidths.Get(c) > 0) SendMessage(WM_HSCROLL, SB_LINELEFT);
  for (int r = visible.maxRow + 1; r <= row; ++r)
    if (m_rowHeights.Get(r) > 0) SendMessage(WM_VSCROLL, SB_LINEDOWN);
  if (m_wholeRowScrolling) {
    for (int r = visible.minRow - 1; r >= row && r >= m_fixedRows; --r)
      if (m_rowHeights.Get(r) > 0) SendMessage(WM_VSCROLL, SB_LINEUP);
  } else if (row >= m_fixedRows && row <= visible.minRow) {
    if (m_topRowOffset != 0) {
      WriteScrollPosition(SB_VERT, ReadScrollPosition(SB_VERT) + m_topRowOffset);
      InvalidateRect(nullptr);
    }
    // The position moves up row by row; that arithmetic is one subtraction of running sums.
    const int up = int(m_rowHeights.Between(row, std::max(row, visible.minRow)));
    if (up > 0) {
      WriteScrollPosition(SB_VERT, ReadScrollPosition(SB_VERT) - up);
      InvalidateRect(nullptr);
    }
  }
  CRect rect;
  const CRect client = GetGridClientRect();
  while (GetCellRect(row, col, rect) && rect.right > client.right && rect.left > GetFixedColumnsWidth() &&
         (m_scrollBarState & 0x01)) {
    const int before = ReadScrollPosition(SB_HORZ);
    SendMessage(WM_HSCROLL, SB_LINERIGHT);
    if (ReadScrollPosition(SB_HORZ) == before) break;
  }
  while (GetCellRect(row, col, rect) && rect.bottom > client.bottom && rect.top > GetFixedRowsHeight() &&
         (m_scrollBarState & 0x02)) {
    const int before = ReadScrollPosition(SB_VERT);
    if (m_wholeRowScrolling) {
      SendMessage(WM_VSCROLL, SB_LINEDOWN);
    } else {
      WriteScrollPosition(SB_VERT, before + (rect.bottom - client.bottom));
      InvalidateRect(nullptr);
    }
    if (ReadScrollPosition(SB_VERT) == before) break;
  }
  if (focus && focus != GetFocus()) focus->SetFocus();
}

BOOL CCellGrid::AutoSizeColumn(int col, UINT flags, BOOL updateScrollBars) {
  if (col < 0 || col >= m_cols || m_colWidths.Get(col) <= 0) return FALSE;
  if (flags == 0) flags = UINT(m_autoSizeStyle);
  const int firstRow = (flags & 0x1) ? 0 : m_fixedRows;
  const int lastRow = (flags & 0x2) ? m_rows - 1 : m_fixedRows - 1;
  if (m_virtualMode) SendCacheHint(CCellBlock(firstRow, col, lastRow, col));
  CClientDC dc(this);
  int width = 0;
  for (int r = firstRow; r <= lastRow; ++r) {
    CCellBase* cell = GetCell(r, col);
    if (!cell) continue;
    if (cell->HasColumnRange()) {
      const int first = cell->GetFirstRangeColumn();
      const int last = cell->GetLastRangeColumn();
      CCellBase* head = GetCell(r, first);
      int extent = head ? int(head->GetCellExtent(&dc).cx) : 0;
      // A range of one column takes its whole extent; wider ranges share it between columns.
      if (extent > 100 && last > first) extent = (extent - 28) / (last - first);
      width = std::max(width, extent);
    } else {
      width = std::max(width, int(cell->GetCellExtent(&dc).cx));
    }
  }
  if (m_virtualMode) SendCacheHint(CCellBlock());
  m_colWidths.Set(col, width);
  if (updateScrollBars) UpdateScrollBars();
  return TRUE;
}

BOOL CCellGrid::AutoSizeRow(int row) {
  if (row < 0 || row >= m_rows || m_rowHeights.Get(row) <= 0) return FALSE;
  if (m_virtualMode) SendCacheHint(CCellBlock(row, 0, row, m_cols - 1));
  CClientDC dc(this);
  int height = 0;
  for (int c = 0; c < m_cols; ++c) {
    if (CCellBase* cell = GetCell(row, c)) height = std::max(height, int(cell->GetCellExtent(&dc).cy));
  }
  if (m_virtualMode) SendCacheHint(CCellBlock());
  m_rowHeights.Set(row, height);
  UpdateScrollBars();
  return TRUE;
}

void CCellGrid::AutoSizeColumns(UINT flags) {
  for (int c = 0; c < m_cols; ++c)
    if (m_colWidths.Get(c) > 0) AutoSizeColumn(c, flags, FALSE);
  UpdateScrollBars();
}
