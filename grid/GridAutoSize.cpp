#include "grid/GridAutoSize.h"

SAutoSizeRows AutoSizeRowSpan(UINT flags, int style, int fixedRows, int rows) {
  if (flags == 0) flags = UINT(style);
  return SAutoSizeRows{(flags & 0x1) ? 0 : fixedRows, (flags & 0x2) ? rows - 1 : fixedRows - 1};
}
