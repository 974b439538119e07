#include "views/ScrollBarCellExtent.h"

#include <algorithm>

#include "platform/gdi/SystemInfo.h"

CSize ScrollBarCellExtent(CSize extent) {
  extent.cx += GetSystemMetrics(SM_CXVSCROLL);
  extent.cy = std::max<LONG>(extent.cy, GetSystemMetrics(SM_CYHSCROLL));
  return extent;
}
