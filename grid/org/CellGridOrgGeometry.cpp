// Sizes, cell places, the scrolled cell and the visible range, the scroll bars, whole-row
// scrolling, the wheel, scrolling a cell into view and auto-size. Column widths are kept by
// displayed column (they move with the column order), so every place is found through the
// running sums without a walk.

#include <algorithm>
#include <cstdlib>

#include "grid/GridScrollBars.h"
#include "grid/GridScrollMath.h"
#include "grid/org/CellBaseOrg.h"
#include "grid/org/CellGridOrg.h"
#include "platform/ui/PaintDC.h"

int CCellGridOrg::GetRowHeight(int row) const { return row >= 0 && row < m_rows ? m_rowHeights.Get(row) : -1; }
int CCellGridOrg::GetColumnWidth(int col) const { return col >= 0 && col < m_cols ? m_colWidths.Get(col) : -1; }
int CCellGridOrg::GetFixedRowsHeight() const { return int(m_rowHeights.Prefix(m_fixedRows)); }
int CCellGridOrg::GetFixedColumnsWidth() const { return int(m_colWidths.Prefix(m_fixedCols)); }
int CCellGridOrg::GetTotalHeight() const { return int(m_rowHeights.Total()); }
int CCellGridOrg::GetTotalWidth() const { return int(m_colWidths.Total()); }

BOOL CCellGridOrg::SetRowHeight(int row, int height) {
  if (row < 0 || row >= m_rows || height < 0) return FALSE;
  m_rowHeights.Set(row, height);
  UpdateScrollBars();
  return TRUE;
}

BOOL CCellGridOrg::SetColumnWidth(int col, int width) {
  if (col < 0 || col >= m_cols || width < 0) return FALSE;
  m_colWidths.Set(col, width);
  UpdateScrollBars();
  return TRUE;
}

CRect CCellGridOrg::GetGridClientRect() const {
  CRect rect(0, 0, 0, 0);
  if (GetSafeHwnd()) GetClientRect(rect);
  return rect;
}

CCellAddrOrg CCellGridOrg::GetTopLeftScrollCell(BOOL force) {
  if (!force && m_topLeft.row >= 0 && m_topLeft.col >= 0) return m_topLeft;
  const int col = FirstIndexAtPosition(m_colWidths, m_fixedCols, ReadScrollPosition(SB_HORZ));
  const int row = FirstIndexAtPosition(m_rowHeights, m_fixedRows, ReadScrollPosition(SB_VERT));
  m_topLeft = CCellAddrOrg(row, col);
  return m_topLeft;
}

CCellBlock CCellGridOrg::GetVisibleCellRange(CRect* rect) {
  const CRect client = GetGridClientRect();
  const CCellAddrOrg topLeft = GetTopLeftScrollCell();
  std::int64_t bottom = 0;
  std::int64_t right = 0;
  const int maxRow = LastIndexInExtent(m_rowHeights, topLeft.row, GetFixedRowsHeight(), client.bottom, bottom);
  const int maxCol = LastIndexInExtent(m_colWidths, topLeft.col, GetFixedColumnsWidth(), client.right, right);
  if (rect) *rect = CRect(0, 0, int(right), int(bottom));
  return CCellBlock(topLeft.row, topLeft.col, maxRow, maxCol);
}

BOOL CCellGridOrg::IsCellVisible(int row, int col) {
  if (!GetSafeHwnd()) return FALSE;
  CPoint origin;
  if (!GetCellOrigin(row, col, origin)) return FALSE;
  const CRect client = GetGridClientRect();
  return origin.x < client.right && origin.y < client.bottom;
}

BOOL CCellGridOrg::GetCellOrigin(int row, int col, CPoint& origin) {
  if (!IsValid(row, col)) return FALSE;
  const CCellAddrOrg topLeft = GetTopLeftScrollCell();
  if ((row >= m_fixedRows && row < topLeft.row) || (col >= m_fixedCols && col < topLeft.col)) return FALSE;
  const int x = col < m_fixedCols ? int(m_colWidths.Prefix(col))
                                  : GetFixedColumnsWidth() + int(m_colWidths.Between(topLeft.col, col));
  const int y = row < m_fixedRows ? int(m_rowHeights.Prefix(row))
                                  : GetFixedRowsHeight() + int(m_rowHeights.Between(topLeft.row, row));
  origin = CPoint(x, y);
  return TRUE;
}

BOOL CCellGridOrg::GetCellRect(int row, int col, CRect& rect) {
  CPoint origin;
  if (!GetCellOrigin(row, col, origin)) return FALSE;
  rect = CRect(origin.x, origin.y, origin.x + m_colWidths.Get(col) - 1, origin.y + m_rowHeights.Get(row) - 1);
  return TRUE;
}

CCellAddrOrg CCellGridOrg::GetCellAtPoint(CPoint point, BOOL allowFixed) {
  CCellAddrOrg cell;
  const CCellAddrOrg topLeft = GetTopLeftScrollCell();
  if (!allowFixed && !IsValid(topLeft)) return cell;
  const int fixedHeight = GetFixedRowsHeight();
  const int fixedWidth = GetFixedColumnsWidth();
  if (point.y < 0 || (!allowFixed && point.y < fixedHeight)) {
    cell.row = -1;
  } else if (point.y < fixedHeight) {
    cell.row = m_rowHeights.FirstPrefixReaching(std::int64_t(point.y) + 1) - 1;
  } else {
    const std::int64_t below = std::int64_t(point.y) - fixedHeight + 1;
    const int k = std::max(topLeft.row + 1, m_rowHeights.FirstPrefixReaching(m_rowHeights.Prefix(topLeft.row) + below));
    cell.row = k <= m_rows ? k - 1 : -1;
  }
  if (point.x < 0 || (!allowFixed && point.x < fixedWidth)) {
    cell.col = -1;
  } else if (point.x < fixedWidth) {
    cell.col = m_colWidths.FirstPrefixReaching(std::int64_t(point.x) + 1) - 1;
  } else {
    const std::int64_t right = std::int64_t(point.x) - fixedWidth + 1;
    const int k = std::max(topLeft.col + 1, m_colWidths.FirstPrefixReaching(m_colWidths.Prefix(topLeft.col) + right));
    cell.col = k <= m_cols ? k - 1 : -1;
  }
  return cell;
}

// ---------------------------------------------------------------- scroll bars and scrolling

int CCellGridOrg::ReadScrollPosition(int bar, BOOL track) const { return ReadGridScrollPosition(*this, bar, track); }

void CCellGridOrg::WriteScrollPosition(int bar, int pos) {
  ForgetTopLeft();
  WriteGridScrollPosition(*this, bar, pos);
}

void CCellGridOrg::UpdateScrollBars() {
  ForgetTopLeft();
  if (!m_allowDraw || !GetSafeHwnd()) return;
  UpdateGridScrollBars(*this, m_scrollBarState, m_vScrollMax, m_hScrollMax, GetFixedColumnsWidth(),
                       GetFixedRowsHeight(), GetTotalWidth(), GetTotalHeight());
  ForgetTopLeft();
}

void CCellGridOrg::OnHScroll(UINT code, UINT, CScrollBar*) {
  StopEditing();
  m_titleTip.HideTip();
  ScrollHorizontally(code);
}

void CCellGridOrg::OnVScroll(UINT code, UINT, CScrollBar*) {
  StopEditing();
  m_titleTip.HideTip();
  ScrollVertically(code);
}

namespace {

// The step of one line: the size of the next shown row or column in the direction.
int LineStep(const CGridSizeSums& sizes, int index, int first, int step) {
  while (index > first && index < sizes.GetCount() - 1 && sizes.Get(index) == 0) index += step;
  return index >= 0 && index < sizes.GetCount() ? sizes.Get(index) : 0;
}

// The new position for a scroll code, or -1 when the position stays.
int ScrollTarget(UINT code, int pos, int max, int lineBack, int lineForward, int page) {
  switch (code) {
    case SB_LINEUP:
      return pos <= 0 ? -1 : std::max(0, pos - lineBack);
    case SB_LINEDOWN:
      return pos >= max ? -1 : pos + lineForward;
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

void CCellGridOrg::ScrollHorizontally(UINT code) {
  const int pos = ReadScrollPosition(SB_HORZ);
  const CCellAddrOrg topLeft = GetTopLeftScrollCell();
  const CRect client = GetGridClientRect();
  const int fixedWidth = GetFixedColumnsWidth();
  const CRect region = code == SB_TOP || code == SB_BOTTOM ? client : CRect(fixedWidth, 0, client.right, client.bottom);
  if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) {
    WriteScrollPosition(SB_HORZ, ReadScrollPosition(SB_HORZ, TRUE));
    if (GetTopLeftScrollCell() != topLeft) InvalidateRect(region);
    return;
  }
  if (code == SB_LINEUP && topLeft.col <= m_fixedCols) return;
  const int target = ScrollTarget(code, pos, m_hScrollMax, LineStep(m_colWidths, topLeft.col - 1, m_fixedCols, -1),
                                  LineStep(m_colWidths, topLeft.col, m_fixedCols, 1), client.Width() - fixedWidth);
  if (target < 0) return;
  WriteScrollPosition(SB_HORZ, target);
  if (ReadScrollPosition(SB_HORZ) != pos) InvalidateRect(region);
}

void CCellGridOrg::ScrollVertically(UINT code) {
  const int pos = ReadScrollPosition(SB_VERT);
  const CCellAddrOrg topLeft = GetTopLeftScrollCell();
  const CRect client = GetGridClientRect();
  const int fixedHeight = GetFixedRowsHeight();
  const CRect region = code == SB_TOP || code == SB_BOTTOM ? client : CRect(0, fixedHeight, client.right, client.bottom);
  if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) {
    WriteScrollPosition(SB_VERT, ReadScrollPosition(SB_VERT, TRUE));
    if (GetTopLeftScrollCell() != topLeft) InvalidateRect(region);
    return;
  }
  if (code == SB_LINEUP && topLeft.row <= m_fixedRows) return;
  const int target = ScrollTarget(code, pos, m_vScrollMax, LineStep(m_rowHeights, topLeft.row - 1, m_fixedRows, -1),
                                  LineStep(m_rowHeights, topLeft.row, m_fixedRows, 1), client.Height() - fixedHeight);
  if (target < 0) return;
  WriteScrollPosition(SB_VERT, target);
  if (ReadScrollPosition(SB_VERT) != pos) InvalidateRect(region);
}

BOOL CCellGridOrg::OnMouseWheel(UINT flags, short delta, CPoint point) {
  if (m_wheelScrollLines == -1) {
    const int pages = delta / 120;
    for (int i = 0; i < std::abs(pages); ++i)
      PostMessage(WM_VSCROLL, MAKEWPARAM(pages > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0), 0);
  } else {
    const int lines = delta * m_wheelScrollLines / 120;
    for (int i = 0; i < std::abs(lines); ++i)
      PostMessage(WM_VSCROLL, MAKEWPARAM(lines > 0 ? SB_LINEUP : SB_LINEDOWN, 0), 0);
  }
  return CWnd::OnMouseWheel(flags, delta, point);
}

void CCellGridOrg::EnsureVisible(int row, int col) {
  if (!m_allowDraw || !IsValid(row, col)) return;
  CWnd* focus = GetFocus();
  const CCellBlock visible = GetVisibleCellRange();
  for (int c = visible.maxCol + 1; c <= col; ++c)
    if (m_colWidths.Get(c) > 0) SendMessage(WM_HSCROLL, SB_LINERIGHT);
  for (int c = visible.minCol - 1; c >= col && c >= m_fixedCols; --c)
    if (m_colWidths.Get(c) > 0) SendMessage(WM_HSCROLL, SB_LINELEFT);
  for (int r = visible.maxRow + 1; r <= row; ++r)
    if (m_rowHeights.Get(r) > 0) SendMessage(WM_VSCROLL, SB_LINEDOWN);
  for (int r = visible.minRow - 1; r >= row && r >= m_fixedRows; --r)
    if (m_rowHeights.Get(r) > 0) SendMessage(WM_VSCROLL, SB_LINEUP);
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
    SendMessage(WM_VSCROLL, SB_LINEDOWN);
    if (ReadScrollPosition(SB_VERT) == before) break;
  }
  if (focus && focus != GetFocus()) focus->SetFocus();
}

// ---------------------------------------------------------------- auto-size

void CCellGridOrg::AutoSize(UINT flags) {
  if (flags == 0) flags = UINT(m_autoSizeStyle);
  const int firstRow = (flags & 0x1) ? 0 : m_fixedRows;
  const int lastRow = (flags & 0x2) ? m_rows - 1 : m_fixedRows - 1;
  if (m_virtualMode) SendCacheHint(CCellBlock(firstRow, 0, lastRow, m_cols - 1));
  for (int r = firstRow; r <= lastRow; ++r)
    if (m_rowHeights.Get(r) > 0) m_rowHeights.Set(r, 1);
  // One measurement per cell: each extent serves both its column's width and its row's height.
  std::vector<int> heights(std::size_t(std::max(0, lastRow - firstRow + 1)), 1);
  CClientDC dc(this);
  for (int c = 0; c < m_cols; ++c) {
    if (m_colWidths.Get(c) <= 0) continue;
    int width = 0;
    for (int r = firstRow; r <= lastRow; ++r) {
      CCellBaseOrg* cell = GetCell(r, c);
      if (!cell) continue;
      const CSize extent = cell->GetCellExtent(&dc);
      width = std::max(width, int(extent.cx));
      int& height = heights[std::size_t(r - firstRow)];
      height = std::max(height, int(extent.cy));
    }
    m_colWidths.Set(c, width);
  }
  for (int r = firstRow; r <= lastRow; ++r)
    if (m_rowHeights.Get(r) > 0) m_rowHeights.Set(r, heights[std::size_t(r - firstRow)]);
  if (m_virtualMode) SendCacheHint(CCellBlock());
  UpdateScrollBars();
  RefreshWindow();
}

BOOL CCellGridOrg::AutoSizeColumn(int col, UINT flags, BOOL resetScrollBars) {
  if (col < 0 || col >= m_cols || m_colWidths.Get(col) <= 0) return FALSE;
  if (flags == 0) flags = UINT(m_autoSizeStyle);
  const int firstRow = (flags & 0x1) ? 0 : m_fixedRows;
  const int lastRow = (flags & 0x2) ? m_rows - 1 : m_fixedRows - 1;
  if (m_virtualMode) SendCacheHint(CCellBlock(firstRow, col, lastRow, col));
  CClientDC dc(this);
  int width = 0;
  CSize extent(0, 0);
  for (int r = firstRow; r <= lastRow; ++r) {
    // A missing cell counts with the extent measured last.
    if (CCellBaseOrg* cell = GetCell(r, col)) extent = cell->GetCellExtent(&dc);
    width = std::max(width, int(extent.cx));
  }
  if (m_virtualMode) SendCacheHint(CCellBlock());
  m_colWidths.Set(col, width);
  if (resetScrollBars) UpdateScrollBars();
  return TRUE;
}

void CCellGridOrg::AutoSizeColumns(UINT flags) {
  for (int c = 0; c < m_cols; ++c)
    if (m_colWidths.Get(c) > 0) AutoSizeColumn(c, flags, FALSE);
  UpdateScrollBars();
}

BOOL CCellGridOrg::AutoSizeRow(int row, BOOL resetScrollBars) {
  if (row < 0 || row >= m_rows || m_rowHeights.Get(row) <= 0) return FALSE;
  if (m_virtualMode) SendCacheHint(CCellBlock(row, 0, row, m_cols - 1));
  CClientDC dc(this);
  int height = 0;
  for (int c = 0; c < m_cols; ++c)
    if (CCellBaseOrg* cell = GetCell(row, c)) height = std::max(height, int(cell->GetCellExtent(&dc).cy));
  if (m_virtualMode) SendCacheHint(CCellBlock());
  m_rowHeights.Set(row, height);
  if (resetScrollBars) UpdateScrollBars();
  return TRUE;
}
