// Painting: the off-screen paint, the order of drawing, clip regions, grid lines, cells that
// leave the view, single-cell redraws and rendering the whole grid into a bitmap.

#include <algorithm>

#include "grid/CellBase.h"
#include "grid/CellGrid.h"
#include "grid/GridBackDC.h"
#include "grid/GridBackgroundFill.h"
#include "platform/ui/PaintDC.h"

namespace {

void ClipTo(CDC* dc, const CRect& rect) {
  CRgn region;
  region.CreateRectRgnIndirect(rect);
  dc->SelectClipRgn(&region);
}

}  // namespace

void CCellGrid::OnPaint() {
  CPaintDC dc(this);
  if (m_doubleBuffering) {
    const CRect client = GetGridClientRect();
    CGridBackDC memory(&dc, &client);
    OnDraw(&memory, FALSE);
  } else {
    OnDraw(&dc, FALSE);
  }
}

BOOL CCellGrid::OnEraseBkgnd(CDC*) { return TRUE; }

void CCellGrid::FillBackground(CDC* dc) {
  CRect cells;
  GetVisibleCellRange(&cells);
  FillGridBackground(
      dc, GetFixedColumnsWidth(), GetFixedRowsHeight(), cells,
      {m_defaultCells[3]->GetBackColor(), m_defaultCells[1]->GetBackColor(),
       m_defaultCells[2]->GetBackColor(), m_defaultCells[0]->GetBackColor(), m_backgroundColor});
}

void CCellGrid::DrawCellsLeavingView(const CCellBlock& range) {
  if (!m_previousVisible.IsValid()) return;
  for (int r = m_previousVisible.minRow; r <= std::min(m_previousVisible.maxRow, m_rows - 1); ++r) {
    const bool hidden = m_rowHeights.Get(r) == 0;
    for (int c = m_previousVisible.minCol; c <= std::min(m_previousVisible.maxCol, m_cols - 1); ++c) {
      if (range.Contains(r, c) && !hidden) continue;
      CCellBase* cell = GetCell(r, c);
      if (cell && cell->HasColumnRange()) cell = GetCell(r, cell->GetFirstRangeColumn());
      if (cell) cell->Draw(nullptr, r, c, CRect(0, 0, 0, 0), TRUE, FALSE);
    }
  }
}

BOOL CCellGrid::OnDraw(CDC* dc, BOOL renderAll) {
  CRect clip;
  if ((!m_allowDraw && !renderAll) || dc->GetClipBox(clip) == ERROR) return FALSE;
  const int fixedHeight = GetFixedRowsHeight();
  const int fixedWidth = GetFixedColumnsWidth();
  CCellBlock range;
  CRect client;
  int topOffset = 0;
  if (renderAll) {
    // A render shows every row and column from the first scrollable one on; the scroll and
    // view state stay as they are.
    range = CCellBlock(m_fixedRows, m_fixedCols, m_rows - 1, m_cols - 1);
    client = CRect(0, 0, clip.right, clip.bottom);
    FillGridBackground(
        dc, fixedWidth, fixedHeight, CRect(0, 0, GetTotalWidth(), GetTotalHeight()),
        {m_defaultCells[3]->GetBackColor(), m_defaultCells[1]->GetBackColor(),
         m_defaultCells[2]->GetBackColor(), m_defaultCells[0]->GetBackColor(), m_backgroundColor});
  } else {
    FillBackground(dc);
    range = GetVisibleCellRange();
    client = GetGridClientRect();
    topOffset = m_topRowOffset;
    DrawCellsLeavingView(range);
    m_previousVisible = range;
  }
  if (m_virtualMode) SendCacheHint(range);

  // The fixed corner.
  int top = 0;
  for (int r = 0; r < m_fixedRows; ++r) {
    const int height = m_rowHeights.Get(r);
    if (height <= 0) continue;
    int left = 0;
    for (int c = 0; c < m_fixedCols; ++c) {
      const int width = m_colWidths.Get(c);
      if (width <= 0) continue;
      if (CCellBase* cell = GetCell(r, c)) {
        cell->SetCoords(r, c);
        cell->Draw(dc, r, c, CRect(left, top, left + width - 1, top + height - 1), FALSE, FALSE);
      }
      left += width;
    }
    top += height;
  }

  // The fixed columns of the visible rows, clipped below the fixed rows.
  ClipTo(dc, CRect(0, fixedHeight, fixedWidth, client.bottom));
  int y = fixedHeight + topOffset;
  for (int r = range.minRow; r <= range.maxRow && r < m_rows; ++r) {
    const int height = m_rowHeights.Get(r);
    if (height == 0) continue;
    if (y > clip.bottom) break;
    if (y + height - 1 >= clip.top) {
      int x = 0;
      for (int c = 0; c < m_fixedCols; ++c) {
        if (x > clip.right) break;
        const int width = GetColumnWidth(c, r);
        if (width > 0 && x + width - 1 >= clip.left) {
          if (CCellBase* cell = GetCell(r, c)) {
            cell->SetCoords(r, c);
            cell->Draw(dc, r, c, CRect(x, y, x + width - 1, y + height - 1), FALSE, FALSE);
          }
        }
        x += m_colWidths.Get(c);
      }
    }
    y += height;
  }
  dc->SelectClipRgn(nullptr);

  // The fixed rows over the visible columns.
  y = 0;
  for (int r = 0; r < m_fixedRows; ++r) {
    const int height = m_rowHeights.Get(r);
    if (height <= 0) continue;
    if (y > clip.bottom) break;
    int x = fixedWidth;
    for (int c = range.minCol; c <= range.maxCol && c < m_cols; ++c) {
      if (x > clip.right) break;
      const int width = m_colWidths.Get(c);
      if (width > 0 && x + width - 1 >= clip.left && y + height - 1 >= clip.top) {
        if (CCellBase* cell = GetCell(r, c)) {
          cell->SetCoords(r, c);
          cell->Draw(dc, r, c, CRect(x, y, x + width - 1, y + height - 1), FALSE, FALSE);
        }
      }
      x += width;
    }
    y += height;
  }

  DrawNonFixedCells(dc, range, clip, client, fixedWidth, fixedHeight, topOffset);
  DrawGridLines(dc, range, client, fixedWidth, fixedHeight, topOffset);

  dc->SelectStockObject(NULL_PEN);
  dc->SelectClipRgn(nullptr);
  if (m_virtualMode) SendCacheHint(CCellBlock());
  std::vector<CCellBase*> queued;
  queued.swap(m_afterDraw);
  for (CCellBase* cell : queued) cell->OnAfterDraw();
  return TRUE;
}

int CCellGrid::RangeStartX(int row, int col, int leftCol, int fixedWidth) const {
  const CCellBase* cell = m_virtualMode ? nullptr : m_cells[std::size_t(row)][std::size_t(col)];
  if (col == leftCol && cell && cell->HasColumnRange() && cell->GetFirstRangeColumn() < col)
    return fixedWidth - int(m_colWidths.Between(cell->GetFirstRangeColumn(), col));
  return INT_MIN;
}

void CCellGrid::DrawNonFixedCells(CDC* dc, const CCellBlock& range, const CRect& clip, const CRect& client,
                                  int fixedWidth, int fixedHeight, int topOffset) {
  const CRect area(fixedWidth, fixedHeight, client.right, client.bottom);
  int y = fixedHeight + topOffset;
  for (int r = range.minRow; r <= range.maxRow && r < m_rows; ++r) {
    const int height = m_rowHeights.Get(r);
    if (height == 0) continue;
    if (y > clip.bottom) break;
    if (y + height - 1 < clip.top) {
      y += height;
      continue;
    }
    int x = fixedWidth;
    for (int c = range.minCol; c <= range.maxCol && c < m_cols; ++c) {
      if (x > clip.right) break;
      CRect rect;
      const int rangeLeft = RangeStartX(r, c, range.minCol, fixedWidth);
      if (rangeLeft != INT_MIN) {
        const CCellBase* part = m_cells[std::size_t(r)][std::size_t(c)];
        const int first = part->GetFirstRangeColumn();
        rect = CRect(rangeLeft, y, rangeLeft + GetColumnWidth(first, r) - 1, y + height - 1);
        CCellBase* head = GetCell(r, first);
        CRect clipRect;
        if (head &&
            clipRect.IntersectRect(CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1), area)) {
          head->SetCoords(r, first);
          ClipTo(dc, clipRect);
          head->Draw(dc, r, first, rect, FALSE, FALSE);
          dc->SelectClipRgn(nullptr);
        }
      } else {
        const int width = GetColumnWidth(c, r);
        if (width >= 1 && x + width - 1 >= clip.left) {
          rect = CRect(x, y, x + width - 1, y + height - 1);
          CCellBase* cell = GetCell(r, c);
          CRect clipRect;
          if (cell &&
              clipRect.IntersectRect(CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1), area)) {
            cell->SetCoords(r, c);
            ClipTo(dc, clipRect);
            cell->Draw(dc, r, c, rect, FALSE, FALSE);
            dc->SelectClipRgn(nullptr);
          }
        }
      }
      x += m_colWidths.Get(c);
    }
    y += height;
  }
}

void CCellGrid::DrawGridLines(CDC* dc, const CCellBlock& range, const CRect& client, int fixedWidth,
                              int fixedHeight, int topOffset) {
  if (m_gridLines == 0) return;
  CPen pen(PS_SOLID, 0, m_gridLineColor);
  CPen* old = dc->SelectObject(&pen);
  // The fixed cells draw their own borders; the lines stay in the scrolled area.
  ClipTo(dc, CRect(fixedWidth, fixedHeight, client.right, client.bottom));
  const bool vertical = m_gridLines == 2 || m_gridLines == 3;
  const bool horizontal = m_gridLines == 1 || m_gridLines == 3;
  int y = fixedHeight + topOffset;
  int lineTop = fixedHeight - 1;
  for (int r = range.minRow; r <= range.maxRow && r < m_rows; ++r) {
    const int height = m_rowHeights.Get(r);
    if (height == 0) continue;
    if (y > client.bottom) break;
    const int bottom = y + height - 1;
    int x = fixedWidth;
    int previousRight = fixedWidth - 1;
    for (int c = range.minCol; c <= range.maxCol && c < m_cols; ++c) {
      if (x > client.right) break;
      int right = -1;
      const int rangeLeft = RangeStartX(r, c, range.minCol, fixedWidth);
      if (rangeLeft != INT_MIN) {
        right =
            rangeLeft + GetColumnWidth(m_cells[std::size_t(r)][std::size_t(c)]->GetFirstRangeColumn(), r) - 1;
      } else if (GetColumnWidth(c, r) >= 1) {
        right = x + GetColumnWidth(c, r) - 1;
      }
      if (right >= 0) {
        if (vertical) {
          dc->MoveTo(right, lineTop);
          dc->LineTo(right, bottom + 1);
        }
        if (horizontal) {
          dc->MoveTo(previousRight, bottom);
          dc->LineTo(right + 1, bottom);
        }
        previousRight = right;
      }
      x += m_colWidths.Get(c);
    }
    lineTop = bottom;
    y += height;
  }
  dc->SelectClipRgn(nullptr);
  dc->SelectObject(old);
}

BOOL CCellGrid::RedrawCell(int row, int col, CDC* dc) {
  if (!m_allowDraw || !IsCellVisible(row, col)) return FALSE;
  CCellBase* cell = GetCell(row, col);
  if (!cell) return FALSE;
  int drawCol = col;
  if (cell->HasColumnRange()) {
    drawCol = cell->GetFirstRangeColumn();
    cell = GetCell(row, drawCol);
    if (!cell) return FALSE;
  }
  CRect rect;
  if (!GetCellRect(row, drawCol, rect)) return FALSE;
  std::unique_ptr<CClientDC> own;
  if (!dc) {
    if (!GetSafeHwnd()) return FALSE;
    own = std::make_unique<CClientDC>(this);
    dc = own.get();
  }
  const CRect client = GetGridClientRect();
  const int saved = dc->SaveDC();
  ClipTo(dc, CRect(GetFixedColumnsWidth(), GetFixedRowsHeight(), client.right, client.bottom));
  cell->SetCoords(row, drawCol);
  const BOOL drawn = cell->Draw(dc, row, drawCol, rect, TRUE, FALSE);
  if (!cell->IsFixed()) {
    CPen pen(PS_SOLID, 0, m_gridLineColor);
    CPen* old = dc->SelectObject(&pen);
    if (m_gridLines == 1 || m_gridLines == 3) {
      dc->MoveTo(rect.left, rect.bottom);
      dc->LineTo(rect.right + 1, rect.bottom);
    }
    if (m_gridLines == 2 || m_gridLines == 3) {
      dc->MoveTo(rect.right, rect.top);
      dc->LineTo(rect.right, rect.bottom + 1);
    }
    dc->SelectObject(old);
  }
  dc->RestoreDC(saved);
  return drawn;
}

BOOL CCellGrid::InvalidateCellRect(int row, int col) {
  if (!GetSafeHwnd() || !m_allowDraw || !IsValid(row, col) || !IsCellVisible(row, col)) return FALSE;
  CRect rect;
  if (!GetPlainCellRect(row, col, rect)) return FALSE;
  rect.right += 1;
  rect.bottom += 1;
  InvalidateRect(rect, TRUE);
  return TRUE;
}

void CCellGrid::RefreshWindow() {
  if (GetSafeHwnd() && m_allowDraw) Invalidate();
}

BOOL CCellGrid::RenderToBitmap(CBitmap* bitmap) {
  if (!bitmap || !GetSafeHwnd()) return FALSE;
  const int height = GetTotalHeight();
  const int width = GetTotalWidth();
  CClientDC windowDc(this);
  CDC memory;
  if (!memory.CreateCompatibleDC(&windowDc)) return FALSE;
  if (!bitmap->CreateCompatibleBitmap(&windowDc, width, height)) return FALSE;
  CBitmap* old = memory.SelectObject(bitmap);
  OnDraw(&memory, TRUE);
  memory.SelectObject(old);
  return TRUE;
}

CImageList* CCellGrid::CreateDragImage(CSize* size) {
  CCellBase* cell = GetCell(m_focusCell.row, m_focusCell.col);
  CRect rect;
  if (!cell || !GetSafeHwnd() || !GetCellRect(m_focusCell.row, m_focusCell.col, rect)) return nullptr;
  const CSize extent(rect.Width(), rect.Height());
  if (extent.cx <= 0 || extent.cy <= 0) return nullptr;
  if (size) *size = extent;
  auto list = std::make_unique<CImageList>();
  if (!list->Create(extent.cx, extent.cy, ILC_MASK, 1, 1)) return nullptr;
  CClientDC windowDc(this);
  CDC memory;
  CBitmap bitmap;
  if (!memory.CreateCompatibleDC(&windowDc) ||
      !bitmap.CreateCompatibleBitmap(&windowDc, extent.cx, extent.cy))
    return nullptr;
  CBitmap* old = memory.SelectObject(&bitmap);
  memory.SetWindowOrg(0, 0);
  cell->Draw(&memory, m_focusCell.row, m_focusCell.col, CRect(0, 0, extent.cx, extent.cy), FALSE, FALSE);
  memory.SelectObject(old);
  list->Add(&bitmap, m_defaultCells[0]->GetBackColor());
  return list.release();
}
