#include "views/DetailLeftCell.h"

#include <algorithm>

#include "platform/gdi/SystemInfo.h"

IMPLEMENT_DYNCREATE(CDetailLeftCell, CGradientCell)

BOOL CDetailLeftCell::Draw(CDC* dc, int row, int col, CRect rect, BOOL, BOOL plain) {
  if (dc && rect.top < rect.bottom) DrawBackground(dc, row, col, rect, plain);
  return TRUE;
}

CSize CDetailLeftCell::GetCellExtent(CDC* dc) {
  CSize size = CGradientCell::GetCellExtent(dc);
  size.cx += GetSystemMetrics(SM_CXVSCROLL);
  size.cy = std::max<LONG>(size.cy, GetSystemMetrics(SM_CYHSCROLL));
  return size;
}
