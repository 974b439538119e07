#include "views/DetailLeftCell.h"

#include "views/ScrollBarCellExtent.h"

IMPLEMENT_DYNCREATE(CDetailLeftCell, CGradientCell)

BOOL CDetailLeftCell::Draw(CDC* dc, int row, int col, CRect rect, BOOL, BOOL plain) {
  if (dc && rect.top < rect.bottom) DrawBackground(dc, row, col, rect, plain);
  return TRUE;
}

CSize CDetailLeftCell::GetCellExtent(CDC* dc) {
  return ScrollBarCellExtent(CGradientCell::GetCellExtent(dc));
}
