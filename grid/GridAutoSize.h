#pragma once
// Auto-sizing, shared by both grids: which rows an auto-size measures, and the measuring of a
// row's height and a column's width on the grid's window. A virtual grid is told the block of
// cells it is asked for first, and that the asking is over afterwards.

#include <algorithm>

#include "grid/CellBlock.h"
#include "platform/ui/PaintDC.h"

// The rows an auto-size measures: the fixed rows with bit 0x1 of the flags, the others with bit
// 0x2; flags 0 take the grid's auto-size style.
struct SAutoSizeRows {
  int first;
  int last;
};
SAutoSizeRows AutoSizeRowSpan(UINT flags, int style, int fixedRows, int rows);

// The height the tallest cell of the row needs.
template <class TGrid>
int MeasureRowHeight(TGrid& grid, int row) {
  const int cols = grid.GetColumnCount();
  if (grid.GetVirtualMode()) grid.SendCacheHint(CCellBlock(row, 0, row, cols - 1));
  int height = 0;
  {
    CClientDC dc(&grid);
    for (int c = 0; c < cols; ++c)
      if (auto* cell = grid.GetCell(row, c)) height = std::max(height, int(cell->GetCellExtent(&dc).cy));
  }
  if (grid.GetVirtualMode()) grid.SendCacheHint(CCellBlock());
  return height;
}

// The width the column needs over the rows: the largest that `widthAt(dc, row)` gives.
template <class TGrid, class TWidthAt>
int MeasureColumnWidth(TGrid& grid, int col, const SAutoSizeRows& rows, TWidthAt widthAt) {
  if (grid.GetVirtualMode()) grid.SendCacheHint(CCellBlock(rows.first, col, rows.last, col));
  int width = 0;
  {
    CClientDC dc(&grid);
    for (int r = rows.first; r <= rows.last; ++r) width = std::max(width, widthAt(dc, r));
  }
  if (grid.GetVirtualMode()) grid.SendCacheHint(CCellBlock());
  return width;
}
