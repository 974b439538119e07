#pragma once
// Draws a bitmap over the context with a constant alpha and, when asked, its own per-pixel
// alpha, into the rectangle (x, y, width, height).

#include "platform/gdi/Dc.h"

BOOL AlphaBlendBitmap(CDC* dc, int x, int y, int width, int height, BOOL perPixelAlpha, HBITMAP bitmap,
                      BYTE constantAlpha);
