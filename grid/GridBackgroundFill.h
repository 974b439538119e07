#pragma once
// The fill of a grid's client area behind its cells, shared by both grids: the fixed corner,
// the fixed columns and rows, the scrolled cells' area and the rest right of and below the
// cells, each in its colour.

#include "platform/gdi/Dc.h"

struct SGridBackgroundColors {
  COLORREF corner;
  COLORREF fixedColumn;
  COLORREF fixedRow;
  COLORREF cells;
  COLORREF background;
};

// `cells` is the rectangle the fixed and visible cells cover, from the client's top left.
void FillGridBackground(CDC* dc, int fixedWidth, int fixedHeight, const CRect& cells,
                        const SGridBackgroundColors& colors);
