#include "grid/AlphaBlendBitmap.h"

BOOL AlphaBlendBitmap(CDC* dc, int x, int y, int width, int height, BOOL perPixelAlpha, HBITMAP bitmap,
                      BYTE constantAlpha) {
  if (!dc || !bitmap) return FALSE;
  CDC memory;
  if (!memory.CreateCompatibleDC(dc)) return FALSE;
  HGDIOBJ old = memory.SelectObject(HGDIOBJ(bitmap));
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, constantAlpha, BYTE(perPixelAlpha ? AC_SRC_ALPHA : 0)};
  const BOOL drawn = dc->AlphaBlend(x, y, width, height, &memory, 0, 0, width, height, blend);
  memory.SelectObject(old);
  return drawn;
}
