// Scroll bars, scrolling, the wheel, scrolling a cell into view and auto-size.

#include <algorithm>
#include <climits>

#include "grid/CellBase.h"
#include "grid/CellGrid.h"
#include "grid/GridAutoSize.h"
#include "grid/GridScrollBars.h"

namespace {

// The largest step of one line in pixel scrolling.
constexpr int kPixelLineStep = 15;

}  // namespace

int CCellGrid::ReadScrollPosition(int bar, BOOL track) const {
  return m_scrollBars.Read(bar, track != FALSE);
}
void CCellGrid::WriteScrollPosition(int bar, int pos) { m_scrollBars.Write(bar, pos); }

void CCellGrid::UpdateScrollBars() {
  m_scrollBars.Update(m_allowDraw != FALSE, GetFixedColumnsWidth(), GetFixedRowsHeight(), GetTotalWidth(),
                      GetTotalHeight());
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
  const CCellAddr topLeft = GetTopLeftScrollCell();
  SGridBarScroll scroll{SB_HORZ, GetGridClientRect(), GetFixedColumnsWidth(), -1, -1, false};
  if (topLeft.col > m_fixedCols) {
    int col = topLeft.col - 1;
    while (col > m_fixedCols && m_colWidths.Get(col) == 0) --col;
    scroll.lineBack = m_colWidths.Get(col);
  }
  int col = topLeft.col;
  while (col < m_cols - 1 && m_colWidths.Get(col) == 0) ++col;
  scroll.lineForward = col < m_cols ? m_colWidths.Get(col) : 0;
  m_scrollBars.Scroll(code, scroll, [this] { return GetTopLeftScrollCell(); });
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
  const CCellAddr topLeft = GetTopLeftScrollCell();
  const int lineCap = m_wholeRowScrolling ? INT_MAX : kPixelLineStep;
  SGridBarScroll scroll{SB_VERT, GetGridClientRect(), GetFixedRowsHeight(), -1, -1, !m_wholeRowScrolling};
  const int up = LineUpRow(topLeft);
  if (!(m_wholeRowScrolling && topLeft.row <= m_fixedRows) && up >= 0 && up < m_rows)
    scroll.lineBack = std::min(m_rowHeights.Get(up), lineCap);
  if (topLeft.row < m_rows) scroll.lineForward = std::min(m_rowHeights.Get(LineDownRow(topLeft)), lineCap);
  m_scrollBars.Scroll(code, scroll, [this] { return GetTopLeftScrollCell(); });
}

BOOL CCellGrid::OnMouseWheel(UINT flags, short delta, CPoint point) {
  CPoint client = point;
  ScreenToClient(&client);
  const CCellAddr cell = GetCellAtPoint(client, TRUE);
  CCellBase* target = GetCell(cell.row, cell.col);
  if (!target || target->OnMouseWheel(cell.row, cell.col, delta))
    m_scrollBars.PostWheelScrolls(delta, m_wheelScrollLines);
  return CWnd::OnMouseWheel(flags, delta, point);
}

void CCellGrid::EnsureVisible(int row, int col) {
  if (!m_allowDraw || !IsValid(row, col)) return;
  const CCellBlock visible = GetVisibleCellRange();
  const CRect client = GetGridClientRect();
  const auto cellRect = [this, row, col](CRect& rect) { return GetCellRect(row, col, rect) != FALSE; };
  if (m_wholeRowScrolling) {
    m_scrollBars.BringCellIntoView(CCellAddr(row, col), visible, CCellAddr(m_fixedRows, m_fixedCols), client,
                                   CSize(GetFixedColumnsWidth(), GetFixedRowsHeight()), cellRect);
    return;
  }
  // Pixel scrolling takes the columns and the rows below the view by lines, but moves up to a
  // row, and down to the cell's bottom, by positions.
  CWnd* focus = GetFocus();
  m_scrollBars.ScrollLinesToward(SB_HORZ, visible.minCol, visible.maxCol, col, m_fixedCols);
  m_scrollBars.ScrollLinesOver(SB_VERT, visible.maxRow + 1, row, 1);
  if (row >= m_fixedRows && row <= visible.minRow) ScrollUpToRow(row, visible.minRow);
  m_scrollBars.ScrollLinesWhilePastEdge(SB_HORZ, client, GetFixedColumnsWidth(), cellRect);
  ScrollCellBottomIntoView(row, col, client);
  if (focus && focus != GetFocus()) focus->SetFocus();
}

void CCellGrid::ScrollUpToRow(int row, int firstVisible) {
  if (m_topRowOffset != 0) {
    WriteScrollPosition(SB_VERT, ReadScrollPosition(SB_VERT) + m_topRowOffset);
    InvalidateRect(nullptr);
  }
  // The position moves up row by row; that arithmetic is one subtraction of running sums.
  const int up = int(m_rowHeights.Between(row, std::max(row, firstVisible)));
  if (up > 0) {
    WriteScrollPosition(SB_VERT, ReadScrollPosition(SB_VERT) - up);
    InvalidateRect(nullptr);
  }
}

void CCellGrid::ScrollCellBottomIntoView(int row, int col, const CRect& client) {
  CRect rect;
  while (GetCellRect(row, col, rect) && rect.bottom > client.bottom && rect.top > GetFixedRowsHeight() &&
         (m_scrollBars.GetState() & 0x02)) {
    const int before = ReadScrollPosition(SB_VERT);
    WriteScrollPosition(SB_VERT, before + (rect.bottom - client.bottom));
    InvalidateRect(nullptr);
    if (ReadScrollPosition(SB_VERT) == before) break;
  }
}

BOOL CCellGrid::AutoSizeColumn(int col, UINT flags, BOOL updateScrollBars) {
  if (col < 0 || col >= m_cols || m_colWidths.Get(col) <= 0) return FALSE;
  const SAutoSizeRows rows = AutoSizeRowSpan(flags, m_autoSizeStyle, m_fixedRows, m_rows);
  m_colWidths.Set(col, MeasureColumnWidth(*this, col, rows, [this, col](CDC& dc, int row) {
                    return NeededColumnWidth(dc, row, col);
                  }));
  if (updateScrollBars) UpdateScrollBars();
  return TRUE;
}

int CCellGrid::NeededColumnWidth(CDC& dc, int row, int col) {
  CCellBase* cell = GetCell(row, col);
  if (!cell) return 0;
  if (!cell->HasColumnRange()) return int(cell->GetCellExtent(&dc).cx);
  const int first = cell->GetFirstRangeColumn();
  const int last = cell->GetLastRangeColumn();
  CCellBase* head = GetCell(row, first);
  int extent = head ? int(head->GetCellExtent(&dc).cx) : 0;
  // A range of one column takes its whole extent; wider ranges share it between columns.
  if (extent > 100 && last > first) extent = (extent - 28) / (last - first);
  return extent;
}

BOOL CCellGrid::AutoSizeRow(int row) {
  if (row < 0 || row >= m_rows || m_rowHeights.Get(row) <= 0) return FALSE;
  m_rowHeights.Set(row, MeasureRowHeight(*this, row));
  UpdateScrollBars();
  return TRUE;
}

void CCellGrid::AutoSizeColumns(UINT flags) {
  for (int c = 0; c < m_cols; ++c)
    if (m_colWidths.Get(c) > 0) AutoSizeColumn(c, flags, FALSE);
  UpdateScrollBars();
}
