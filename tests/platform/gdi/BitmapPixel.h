#pragma once
// One pixel of a bitmap that no device context holds, read through a memory context of its own.

#include "platform/gdi/Dc.h"

inline COLORREF BitmapPixel(HBITMAP bitmap, int x, int y) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  HGDIOBJ previous = dc.SelectObject(HGDIOBJ(bitmap));
  const COLORREF color = dc.GetPixel(x, y);
  dc.SelectObject(previous);
  return color;
}
