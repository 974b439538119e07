// Sizing rows and columns by their borders in the fixed area: the border tests, the inverted
// line that follows the pointer while a border is dragged, and auto-sizing by a double click.

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "grid/CellGrid.h"
#include "grid/GridMouse.h"
#include "platform/ui/Cursor.h"

BOOL CCellGrid::IsOverColumnBorder(CPoint point) {
  return point.y < GetFixedRowsHeight() && IsNearBorder(point, true);
}

BOOL CCellGrid::IsOverRowBorder(CPoint point) {
  return point.x < GetFixedColumnsWidth() && IsNearBorder(point, false);
}

bool CCellGrid::IsNearBorder(CPoint point, bool columns) {
  const CCellAddr cell = GetCellAtPoint(point, TRUE);
  CPoint origin;
  if (!IsValid(cell) || !GetCellOrigin(cell.row, cell.col, origin)) return false;
  const int at = columns ? point.x : point.y;
  const int start = columns ? origin.x : origin.y;
  const int size = columns ? GetColumnWidth(cell.col, cell.row) : GetRowHeight(cell.row);
  if ((columns ? cell.col : cell.row) != 0 && at < start + m_resizeCaptureRange) return true;
  return at > start + size - m_resizeCaptureRange;
}

void CCellGrid::MoveSizingLine(CPoint point) {
  const bool columns = m_mouseMode == kMouseSizingColumn;
  const CRect client = GetGridClientRect();
  InvertSizingLine(*this, client, columns ? m_lastMousePoint.x : m_lastMousePoint.y, columns);
  InvertSizingLine(*this, client, columns ? point.x : point.y, columns);
}

void CCellGrid::StartSizing(CPoint point, bool columns) {
  m_mouseMode = columns ? kMouseSizingColumn : kMouseSizingRow;
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
  InvertSizingLine(*this, GetGridClientRect(), at, columns);
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
  const bool columns = m_mouseMode == kMouseSizingColumn;
  InvertSizingLine(*this, GetGridClientRect(), columns ? m_lastMousePoint.x : m_lastMousePoint.y, columns);
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
  if (m_mouseMode == kMouseOverColumnBorder) {
    const bool nearLeft = GetCellOrigin(0, cell.col, origin) && point.x < origin.x + m_resizeCaptureRange;
    AutoSizeColumn(IndexBeforeBorder(m_colWidths, cell.col, nearLeft && cell.col > 0), UINT(m_autoSizeStyle),
                   TRUE);
  } else {
    const bool nearTop =
        GetCellOrigin(cell.row, cell.col, origin) && point.y < origin.y + m_resizeCaptureRange;
    AutoSizeRow(IndexBeforeBorder(m_rowHeights, cell.row, nearTop && cell.row > 0));
  }
  Invalidate();
}
