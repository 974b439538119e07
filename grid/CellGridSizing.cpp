// Sizing rows and columns by their borders in the fixed area: the border tests, the inverted
// line that follows the pointer while a border is dragged, and auto-sizing by a double click.

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "grid/CellGrid.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/PaintDC.h"

BOOL CCellGrid::IsOverColumnBorder(CPoint point) {
  if (point.y >= GetFixedRowsHeight()) return FALSE;
  const CCellAddr cell = GetCellAtPoint(point, TRUE);
  CPoint origin;
  if (!IsValid(cell) || !GetCellOrigin(cell.row, cell.col, origin)) return FALSE;
  if (cell.col != 0 && point.x < origin.x + m_resizeCaptureRange) return TRUE;
  return point.x > origin.x + GetColumnWidth(cell.col, cell.row) - m_resizeCaptureRange;
}

BOOL CCellGrid::IsOverRowBorder(CPoint point) {
  if (point.x >= GetFixedColumnsWidth()) return FALSE;
  const CCellAddr cell = GetCellAtPoint(point, TRUE);
  CPoint origin;
  if (!IsValid(cell) || !GetCellOrigin(cell.row, cell.col, origin)) return FALSE;
  if (cell.row != 0 && point.y < origin.y + m_resizeCaptureRange) return TRUE;
  return point.y > origin.y + GetRowHeight(cell.row) - m_resizeCaptureRange;
}

void CCellGrid::InvertSizingLine(int at, bool vertical) {
  const CRect client = GetGridClientRect();
  CClientDC dc(this);
  const CRect line = vertical ? CRect(at, 0, at + 2, client.bottom) : CRect(0, at, client.right, at + 2);
  dc.InvertRect(line);
}

void CCellGrid::StartColumnSizing(CPoint point) {
  m_mouseMode = 9;
  m_sizingIndex = -1;
  const int last = m_cols - 1;
  int col = m_buttonDownCell.col;
  CRect visible;
  GetVisibleCellRange(&visible);
  // A last column too narrow to hold a border of its own is taken at the cells' right edge.
  if (m_colWidths.Get(last) < m_resizeCaptureRange && std::abs(point.x - visible.right) < m_resizeCaptureRange)
    col = last;
  CPoint origin;
  if (!GetCellOrigin(0, col, origin)) return;
  InvertSizingLine(point.x, true);
  const bool nearLeft = point.x < origin.x + m_resizeCaptureRange;
  if (nearLeft && col > 0 && (col != last || m_colWidths.Get(col) >= m_resizeCaptureRange)) {
    --col;
    if (!GetCellOrigin(0, col, origin)) return;
  }
  m_sizingIndex = col;
  m_sizingEdge = origin.x;
  const CRect client = GetGridClientRect();
  CRect area(origin.x + 1, 0, origin.x + client.Width() - GetFixedColumnsWidth() + 1, client.bottom);
  ClientToScreen(area);
  ClipCursor(area);
}

void CCellGrid::StartRowSizing(CPoint point) {
  m_mouseMode = 7;
  m_sizingIndex = -1;
  const int last = m_rows - 1;
  int row = m_buttonDownCell.row;
  CRect visible;
  GetVisibleCellRange(&visible);
  if (m_rowHeights.Get(last) < m_resizeCaptureRange && std::abs(point.y - visible.bottom) < m_resizeCaptureRange)
    row = last;
  CPoint origin;
  if (!GetCellOrigin(row, 0, origin)) return;
  InvertSizingLine(point.y, false);
  const bool nearTop = point.y < origin.y + m_resizeCaptureRange;
  if (nearTop && row > 0 && (row != last || m_rowHeights.Get(row) >= m_resizeCaptureRange)) {
    --row;
    if (!GetCellOrigin(row, 0, origin)) return;
  }
  m_sizingIndex = row;
  m_sizingEdge = origin.y;
  const CRect client = GetGridClientRect();
  CRect area(0, origin.y + 1, client.right, origin.y + client.Height() - GetFixedRowsHeight() + 1);
  ClientToScreen(area);
  ClipCursor(area);
}

void CCellGrid::FinishSizing(CPoint point) {
  const bool columns = m_mouseMode == 9;
  InvertSizingLine(columns ? m_lastMousePoint.x : m_lastMousePoint.y, columns);
  const int index = std::exchange(m_sizingIndex, -1);
  if (index < 0 || point == m_buttonDownPoint || point == CPoint(0, 0)) return;
  if (columns)
    SetColumnWidth(index, std::max<int>(point.x - m_sizingEdge, m_allowZeroWidth ? 0 : 1));
  else
    SetRowHeight(index, std::max<int>(point.y - m_sizingEdge, m_allowZeroHeight ? 0 : 1));
  UpdateScrollBars();
  Invalidate();
}

void CCellGrid::AutoSizeAtBorder(const CCellAddr& cell, CPoint point) {
  CPoint origin;
  if (m_mouseMode == 8) {
    int col = cell.col;
    if (GetCellOrigin(0, col, origin) && point.x < origin.x + m_resizeCaptureRange && col > 0) --col;
    while (col > 0 && m_colWidths.Get(col) == 0) --col;
    AutoSizeColumn(col, UINT(m_autoSizeStyle), TRUE);
  } else {
    int row = cell.row;
    if (GetCellOrigin(row, cell.col, origin) && point.y < origin.y + m_resizeCaptureRange && row > 0) --row;
    while (row > 0 && m_rowHeights.Get(row) == 0) --row;
    AutoSizeRow(row);
  }
  Invalidate();
}
