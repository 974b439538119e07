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

void CCellGrid::StartSizing(CPoint point, bool columns) {
  m_mouseMode = columns ? 9 : 7;
  m_sizingIndex = -1;
  const CGridSizeSums& sizes = columns ? m_colWidths : m_rowHeights;
  const int range = m_resizeCaptureRange;
  const int last = sizes.GetCount() - 1;
  const int at = columns ? point.x : point.y;
  int index = columns ? m_buttonDownCell.col : m_buttonDownCell.row;
  CRect visible;
  GetVisibleCellRange(&visible);
  // A last column or row too narrow to hold a border of its own is taken at the cells' edge.
  if (sizes.Get(last) < range && std::abs(at - (columns ? visible.right : visible.bottom)) < range)
    index = last;
  int edge = 0;
  auto edgeOf = [&](int i) {
    CPoint origin;
    if (!(columns ? GetCellOrigin(0, i, origin) : GetCellOrigin(i, 0, origin))) return false;
    edge = columns ? origin.x : origin.y;
    return true;
  };
  if (!edgeOf(index)) return;
  InvertSizingLine(at, columns);
  if (at < edge + range && index > 0 && (index != last || sizes.Get(index) >= range)) {
    --index;
    if (!edgeOf(index)) return;
  }
  m_sizingIndex = index;
  m_sizingEdge = edge;
  const CRect client = GetGridClientRect();
  CRect area = columns ? CRect(edge + 1, 0, edge + client.Width() - GetFixedColumnsWidth() + 1, client.bottom)
                       : CRect(0, edge + 1, client.right, edge + client.Height() - GetFixedRowsHeight() + 1);
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
