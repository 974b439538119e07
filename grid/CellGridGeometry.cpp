// Sizes, cell places, the scrolled cell and the visible range.

#include <algorithm>

#include "grid/CellBase.h"
#include "grid/CellGrid.h"
#include "grid/GridScrollMath.h"

int CCellGrid::GetRowHeight(int row) const { return row >= 0 && row < m_rows ? m_rowHeights.Get(row) : -1; }

int CCellGrid::GetColumnWidth(int col, int row) const {
  if (col < 0 || col >= m_cols) return -1;
  if (!m_virtualMode && row >= 0 && row < m_rows) {
    const CCellBase* cell = m_cells[std::size_t(row)][std::size_t(col)];
    if (cell && cell->HasColumnRange()) {
      if (col != cell->GetFirstRangeColumn()) return 0;
      return int(
          m_colWidths.Between(cell->GetFirstRangeColumn(), std::min(cell->GetLastRangeColumn() + 1, m_cols)));
    }
  }
  return m_colWidths.Get(col);
}

int CCellGrid::GetSpanWidth(int col, int row) const {
  if (col < 0 || col >= m_cols) return -1;
  if (!m_virtualMode && row >= 0 && row < m_rows) {
    const CCellBase* cell = m_cells[std::size_t(row)][std::size_t(col)];
    if (cell && cell->HasColumnRange())
      return int(m_colWidths.Between(col, std::min(cell->GetLastRangeColumn() + 1, m_cols)));
  }
  return m_colWidths.Get(col);
}

int CCellGrid::GetFixedRowsHeight() const { return int(m_rowHeights.Prefix(m_fixedRows)); }
int CCellGrid::GetFixedColumnsWidth() const { return int(m_colWidths.Prefix(m_fixedCols)); }
int CCellGrid::GetTotalHeight() const { return int(m_rowHeights.Total()); }
int CCellGrid::GetTotalWidth() const { return int(m_colWidths.Total()); }

BOOL CCellGrid::SetRowHeight(int row, int height) {
  if (row < 0 || row >= m_rows || height < 0) return FALSE;
  m_rowHeights.Set(row, height);
  UpdateScrollBars();
  return TRUE;
}

BOOL CCellGrid::SetColumnWidth(int col, int width) {
  if (col < 0 || col >= m_cols || width < 0) return FALSE;
  m_colWidths.Set(col, width);
  UpdateScrollBars();
  return TRUE;
}

CRect CCellGrid::GetGridClientRect() const {
  CRect rect(0, 0, 0, 0);
  if (GetSafeHwnd()) GetClientRect(rect);
  return rect;
}

CCellAddr CCellGrid::GetTopLeftScrollCell() {
  if (m_topLeft.row >= 0 && m_topLeft.col >= 0) return m_topLeft;
  const int hpos = ReadScrollPosition(SB_HORZ);
  const int vpos = ReadScrollPosition(SB_VERT);
  const int col = FirstIndexAtPosition(m_colWidths, m_fixedCols, hpos);
  int row;
  if (m_wholeRowScrolling) {
    row = FirstIndexAtPosition(m_rowHeights, m_fixedRows, vpos);
    m_topRowOffset = 0;
  } else {
    row = IndexContainingPosition(m_rowHeights, m_fixedRows, vpos);
    m_topRowOffset = int(m_rowHeights.Between(m_fixedRows, row) - vpos);
  }
  m_topLeft = CCellAddr(row, col);
  return m_topLeft;
}

CCellBlock CCellGrid::GetVisibleCellRange(CRect* rect) {
  const CRect client = GetGridClientRect();
  const CCellAddr topLeft = GetTopLeftScrollCell();
  std::int64_t bottom = 0;
  std::int64_t right = 0;
  const int maxRow = LastIndexInExtent(m_rowHeights, topLeft.row, GetFixedRowsHeight() + m_topRowOffset,
                                       client.bottom, bottom);
  const int maxCol = LastIndexInExtent(m_colWidths, topLeft.col, GetFixedColumnsWidth(), client.right, right);
  if (rect) *rect = CRect(0, 0, int(right), int(bottom));
  return CCellBlock(topLeft.row, topLeft.col, maxRow, maxCol);
}

BOOL CCellGrid::IsCellVisible(int row, int col) {
  if (!GetSafeHwnd()) return FALSE;
  const CCellAddr topLeft = GetTopLeftScrollCell();
  if ((row >= m_fixedRows && row < topLeft.row) || (col >= m_fixedCols && col < topLeft.col)) return FALSE;
  CPoint origin;
  if (!GetCellOrigin(row, col, origin)) return FALSE;
  const CRect client = GetGridClientRect();
  return origin.x < client.right && origin.y < client.bottom;
}

BOOL CCellGrid::GetCellOrigin(int row, int col, CPoint& origin) {
  if (!IsValid(row, col)) return FALSE;
  const CCellAddr topLeft = GetTopLeftScrollCell();
  if ((row >= m_fixedRows && row < topLeft.row) || (col >= m_fixedCols && col < topLeft.col)) return FALSE;
  int x = 0;
  const int fixedEnd = std::min(col, m_fixedCols);
  for (int c = 0; c < fixedEnd; ++c) x += GetColumnWidth(c, row);
  if (col >= m_fixedCols) x += int(m_colWidths.Between(topLeft.col, col));
  int y;
  if (row < m_fixedRows)
    y = int(m_rowHeights.Prefix(row));
  else
    y = GetFixedRowsHeight() + m_topRowOffset + int(m_rowHeights.Between(topLeft.row, row));
  origin = CPoint(x, y);
  return TRUE;
}

BOOL CCellGrid::GetSpanOrigin(int row, int col, CPoint& origin) {
  if (!IsValid(row, col)) return FALSE;
  const CCellBase* cell = m_virtualMode ? nullptr : m_cells[std::size_t(row)][std::size_t(col)];
  if (!cell || !cell->HasColumnRange() || col < m_fixedCols) return GetCellOrigin(row, col, origin);
  const CCellAddr topLeft = GetTopLeftScrollCell();
  if (cell->GetLastRangeColumn() < topLeft.col) return FALSE;
  if (col >= topLeft.col) return GetCellOrigin(row, col, origin);
  // The range starts left of the scrolled columns: its origin lies under the fixed columns.
  if (!GetCellOrigin(row, topLeft.col, origin)) return FALSE;
  origin.x -= int(m_colWidths.Between(col, topLeft.col));
  return TRUE;
}

BOOL CCellGrid::GetCellRect(int row, int col, CRect& rect) {
  CPoint origin;
  if (!GetSpanOrigin(row, col, origin)) return FALSE;
  rect = CRect(origin.x, origin.y, origin.x + GetColumnWidth(col, row) - 1, origin.y + GetRowHeight(row) - 1);
  return TRUE;
}

BOOL CCellGrid::GetPlainCellRect(int row, int col, CRect& rect) {
  CPoint origin;
  if (!GetCellOrigin(row, col, origin)) return FALSE;
  rect = CRect(origin.x, origin.y, origin.x + m_colWidths.Get(col) - 1, origin.y + m_rowHeights.Get(row) - 1);
  return TRUE;
}

CPoint CCellGrid::GetPointInCell(int row, int col, CPoint point) {
  CPoint origin;
  if (!GetSpanOrigin(row, col, origin)) return CPoint(0, 0);
  return CPoint(point.x - origin.x, point.y - origin.y);
}

CCellAddr CCellGrid::GetCellAtPoint(CPoint point, BOOL allowFixed) {
  CCellAddr cell;
  const CCellAddr topLeft = GetTopLeftScrollCell();
  if (!allowFixed && !IsValid(topLeft)) return cell;
  const int fixedHeight = GetFixedRowsHeight();
  const int fixedWidth = GetFixedColumnsWidth();
  if (point.y < 0 || (!allowFixed && point.y < fixedHeight)) {
    cell.row = -1;
  } else if (point.y < fixedHeight) {
    cell.row = m_rowHeights.FirstPrefixReaching(std::int64_t(point.y) + 1) - 1;
  } else {
    const std::int64_t below = std::int64_t(point.y) - fixedHeight - m_topRowOffset + 1;
    const int k =
        std::max(topLeft.row + 1, m_rowHeights.FirstPrefixReaching(m_rowHeights.Prefix(topLeft.row) + below));
    cell.row = k <= m_rows ? k - 1 : -1;
  }
  if (point.x < 0) {
    cell.col = -1;
  } else if (allowFixed && point.x < fixedWidth) {
    cell.col = m_colWidths.FirstPrefixReaching(std::int64_t(point.x) + 1) - 1;
  } else {
    const std::int64_t right = std::int64_t(point.x) - fixedWidth + 1;
    const int k =
        std::max(topLeft.col + 1, m_colWidths.FirstPrefixReaching(m_colWidths.Prefix(topLeft.col) + right));
    cell.col = k <= m_cols ? k - 1 : -1;
  }
  if (cell.row >= 0 && cell.row < m_rows && cell.col >= 0 && !m_virtualMode) {
    const CCellBase* found = m_cells[std::size_t(cell.row)][std::size_t(cell.col)];
    if (found && found->HasColumnRange()) cell.col = found->GetFirstRangeColumn();
  }
  return cell;
}
