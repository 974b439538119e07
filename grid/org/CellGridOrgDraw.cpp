// Painting: the off-screen paint, the order in which the cells are drawn, the grid lines and
// single-cell redraws.

#include <algorithm>

#include "grid/GridBackgroundFill.h"
#include "grid/org/CellBaseOrg.h"
#include "grid/org/CellGridOrg.h"
#include "platform/gdi/Pen.h"
#include "platform/ui/PaintDC.h"
#include "toolkit/MemDCExt.h"

void CCellGridOrg::OnPaint() {
  CPaintDC dc(this);
  if (m_doubleBuffering) {
    CMemDCExt memory(&dc);
    OnDraw(&memory);
  } else {
    OnDraw(&dc);
  }
}

BOOL CCellGridOrg::OnEraseBkgnd(CDC*) { return TRUE; }

void CCellGridOrg::DrawCellsOf(CDC* dc, const CRect& clip, int firstRow, int lastRow, int firstCol, int lastCol,
                               int top, int left) {
  int y = top;
  for (int r = firstRow; r <= lastRow && r < m_rows; ++r) {
    const int height = m_rowHeights.Get(r);
    if (height == 0) continue;
    if (y > clip.bottom) break;
    if (y + height - 1 >= clip.top) {
      int x = left;
      for (int c = firstCol; c <= lastCol && c < m_cols; ++c) {
        const int width = m_colWidths.Get(c);
        if (width == 0) continue;
        if (x > clip.right) break;
        if (x + width - 1 >= clip.left) {
          if (CCellBaseOrg* cell = GetCell(r, c)) {
            cell->SetCoords(r, c);
            cell->Draw(dc, r, c, CRect(x, y, x + width - 1, y + height - 1), FALSE);
          }
        }
        x += width;
      }
    }
    y += height;
  }
}

BOOL CCellGridOrg::OnDraw(CDC* dc) {
  CRect clip;
  if (!m_allowDraw || dc->GetClipBox(clip) == ERROR) return FALSE;
  const int fixedHeight = GetFixedRowsHeight();
  const int fixedWidth = GetFixedColumnsWidth();
  CRect cells;
  const CCellBlock range = GetVisibleCellRange(&cells);
  FillGridBackground(dc, fixedWidth, fixedHeight, cells,
                     {m_defaultCells[3]->GetBackColor(), m_defaultCells[1]->GetBackColor(),
                      m_defaultCells[2]->GetBackColor(), m_defaultCells[0]->GetBackColor(), m_backgroundColor});
  if (m_virtualMode) SendCacheHint(range);
  DrawCellsOf(dc, clip, 0, m_fixedRows - 1, 0, m_fixedCols - 1, 0, 0);
  DrawCellsOf(dc, clip, 0, m_fixedRows - 1, range.minCol, range.maxCol, 0, fixedWidth);
  DrawCellsOf(dc, clip, range.minRow, range.maxRow, 0, m_fixedCols - 1, fixedHeight, 0);
  DrawCellsOf(dc, clip, range.minRow, range.maxRow, range.minCol, range.maxCol, fixedHeight, fixedWidth);
  DrawGridLines(dc, range, fixedWidth, fixedHeight);
  if (m_virtualMode) SendCacheHint(CCellBlock());
  return TRUE;
}

void CCellGridOrg::DrawGridLines(CDC* dc, const CCellBlock& range, int fixedWidth, int fixedHeight) {
  if (m_gridLines == 0 || !range.IsValid()) return;
  CPen pen(PS_SOLID, 0, m_gridLineColor);
  CPen* old = dc->SelectObject(&pen);
  const int bottom = fixedHeight + int(m_rowHeights.Between(range.minRow, std::min(range.maxRow + 1, m_rows)));
  const int right = fixedWidth + int(m_colWidths.Between(range.minCol, std::min(range.maxCol + 1, m_cols)));
  if (m_gridLines & 2) {
    int x = fixedWidth;
    for (int c = range.minCol; c <= range.maxCol && c < m_cols; ++c) {
      x += m_colWidths.Get(c);
      dc->MoveTo(x - 1, fixedHeight);
      dc->LineTo(x - 1, bottom);
    }
  }
  if (m_gridLines & 1) {
    int y = fixedHeight;
    for (int r = range.minRow; r <= range.maxRow && r < m_rows; ++r) {
      y += m_rowHeights.Get(r);
      dc->MoveTo(fixedWidth, y - 1);
      dc->LineTo(right, y - 1);
    }
  }
  dc->SelectObject(old);
}

BOOL CCellGridOrg::RedrawCell(int row, int col, CDC* dc) {
  if (!m_allowDraw || !IsCellVisible(row, col)) return FALSE;
  CRect rect;
  if (!GetCellRect(row, col, rect)) return FALSE;
  std::unique_ptr<CClientDC> own;
  if (!dc) {
    own = std::make_unique<CClientDC>(this);
    if (!own->GetSafeHdc()) {
      InvalidateRect(CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1), TRUE);
      return FALSE;
    }
    dc = own.get();
  }
  CCellBaseOrg* cell = GetCell(row, col);
  if (cell) cell->Draw(dc, row, col, rect, TRUE);
  if (row >= m_fixedRows && col >= m_fixedCols && m_gridLines != 0) {
    CPen pen(PS_SOLID, 0, m_gridLineColor);
    CPen* old = dc->SelectObject(&pen);
    if (m_gridLines & 1) {
      dc->MoveTo(rect.left, rect.bottom);
      dc->LineTo(rect.right + 1, rect.bottom);
    }
    if (m_gridLines & 2) {
      dc->MoveTo(rect.right, rect.top);
      dc->LineTo(rect.right, rect.bottom + 1);
    }
    dc->SelectObject(old);
  }
  return TRUE;
}

BOOL CCellGridOrg::InvalidateCellRect(int row, int col) {
  if (!GetSafeHwnd() || !m_allowDraw || !IsValid(row, col) || !IsCellVisible(row, col)) return FALSE;
  CRect rect;
  if (!GetCellRect(row, col, rect)) return FALSE;
  rect.InflateRect(0, 0, 1, 1);
  InvalidateRect(rect, TRUE);
  return TRUE;
}
