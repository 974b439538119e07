#include "views/ScrollBarCellExtent.h"

#include <algorithm>

#include "platform/gdi/SystemInfo.h"

CSize ScrollBarCellExtent(CCellBase& cell, CDC* dc) {
  // The abstract cell's extent, not the cell's own override, which may be this very function.
  CSize size = cell.CCellBase::GetCellExtent(dc);
  size.cx += GetSystemMetrics(SM_CXVSCROLL);
  size.cy = std::max<LONG>(size.cy, GetSystemMetrics(SM_CYHSCROLL));
  return size;
}
