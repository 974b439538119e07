// Sizes, cell places, the scrolled cell and the visible range, the scroll bars, whole-row
// scrolling, the wheel, scrolling a cell into view and auto-size. Column widths are kept by
// displayed column (they move with the column order), so every place is found through the
// running sums without a walk.

#include <algorithm>

#include "grid/GridAutoSize.h"
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
  const int col = FirstIndexAtPosition(m_colWidths, m_fixedCols, m_scrollBars.Read(SB_HORZ, false));
  const int row = FirstIndexAtPosition(m_rowHeights, m_fixedRows, m_scrollBars.Read(SB_VERT, false));
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

void CCellGridOrg::UpdateScrollBars() {
  m_scrollBars.Update(m_allowDraw != FALSE, GetFixedColumnsWidth(), GetFixedRowsHeight(), GetTotalWidth(),
                      GetTotalHeight());
}

void CCellGridOrg::OnHScroll(UINT code, UINT, CScrollBar*) {
  StopEditing();
  m_titleTip.HideTip();
  ScrollByCode(SB_HORZ, code);
}

void CCellGridOrg::OnVScroll(UINT code, UINT, CScrollBar*) {
  StopEditing();
  m_titleTip.HideTip();
  ScrollByCode(SB_VERT, code);
}

namespace {

// The step of one line: the size of the next shown row or column in the direction.
int LineStep(const CGridSizeSums& sizes, int index, int first, int step) {
  while (index > first && index < sizes.GetCount() - 1 && sizes.Get(index) == 0) index += step;
  return index >= 0 && index < sizes.GetCount() ? sizes.Get(index) : 0;
}

}  // namespace

void CCellGridOrg::ScrollByCode(int bar, UINT code) {
  const bool vertical = bar == SB_VERT;
  const CCellAddrOrg topLeft = GetTopLeftScrollCell();
  const CGridSizeSums& sizes = vertical ? m_rowHeights : m_colWidths;
  const int first = vertical ? topLeft.row : topLeft.col;
  const int fixed = vertical ? m_fixedRows : m_fixedCols;
  const SGridBarScroll scroll{bar,
                              GetGridClientRect(),
                              vertical ? GetFixedRowsHeight() : GetFixedColumnsWidth(),
                              first <= fixed ? -1 : LineStep(sizes, first - 1, fixed, -1),
                              LineStep(sizes, first, fixed, 1),
                              false};
  m_scrollBars.Scroll(code, scroll, [this] { return GetTopLeftScrollCell(); });
}

BOOL CCellGridOrg::OnMouseWheel(UINT flags, short delta, CPoint point) {
  m_scrollBars.PostWheelScrolls(delta, m_wheelScrollLines);
  return CWnd::OnMouseWheel(flags, delta, point);
}

void CCellGridOrg::EnsureVisible(int row, int col) {
  if (!m_allowDraw || !IsValid(row, col)) return;
  m_scrollBars.BringCellIntoView(
      CCellAddrOrg(row, col), GetVisibleCellRange(), CCellAddrOrg(m_fixedRows, m_fixedCols),
      GetGridClientRect(), CSize(GetFixedColumnsWidth(), GetFixedRowsHeight()),
      [this, row, col](CRect& rect) { return GetCellRect(row, col, rect) != FALSE; });
}

// ---------------------------------------------------------------- auto-size

void CCellGridOrg::AutoSize(UINT flags) {
  const SAutoSizeRows rows = AutoSizeRowSpan(flags, m_autoSizeStyle, m_fixedRows, m_rows);
  const int firstRow = rows.first;
  const int lastRow = rows.last;
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
  const SAutoSizeRows rows = AutoSizeRowSpan(flags, m_autoSizeStyle, m_fixedRows, m_rows);
  // A missing cell counts with the extent measured last.
  int lastWidth = 0;
  m_colWidths.Set(col, MeasureColumnWidth(*this, col, rows, [this, col, &lastWidth](CDC& dc, int row) {
                    if (CCellBaseOrg* cell = GetCell(row, col)) lastWidth = int(cell->GetCellExtent(&dc).cx);
                    return lastWidth;
                  }));
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
  m_rowHeights.Set(row, MeasureRowHeight(*this, row));
  if (resetScrollBars) UpdateScrollBars();
  return TRUE;
}
