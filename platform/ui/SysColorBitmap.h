#pragma once
// The framework's loader of bitmap resources in the system colours: in a bitmap of at most
// 8 bits per pixel, the colour-table entries black, dark grey, light grey and white among the
// first 16 become COLOR_BTNTEXT, COLOR_BTNSHADOW, COLOR_BTNFACE and COLOR_BTNHIGHLIGHT before
// the pixels are drawn into a screen-compatible bitmap.

#include <cstddef>

#include "platform/gdi/GdiTypes.h"

// packedDib: the bitmap resource (information header, colour table, pixels). None for a
// bitmap of more than 8 bits per pixel or one that cannot be read.
HBITMAP LoadSysColorBitmap(const BYTE* packedDib, std::size_t size);
