#pragma once
// Handle-level operations on drawing objects and device-independent bitmaps.

#include <cstddef>
#include <functional>
#include <vector>

#include "platform/gdi/GdiTypes.h"

BOOL DeleteObject(HGDIOBJ object);
// Stock objects are shared and never deleted.
HGDIOBJ GetStockObject(int index);
// Fills a LOGPEN, LOGBRUSH, LOGFONT, BITMAP or (for a DIB section and a buffer that large)
// DIBSECTION; with no buffer, the size needed. Result: bytes written, 0 on failure.
int GetObject(HGDIOBJ object, int size, void* buffer);
DWORD GetObjectType(HGDIOBJ object);

// A bitmap in the platform's DIB layout (1, 4, 8, 24 or 32 bits per pixel, rows padded to
// 4 bytes, bottom-up when the height is positive). *bits receives the pixel memory, which
// stays valid until the bitmap is deleted; drawing sees what is written there, and what is
// drawn is there when the drawing call returns.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset);
// Copies rows [start, start + lines) of the bitmap, counted from the bottom for a bottom-up
// header, in the format of info (1, 4, 8, 16, 24 or 32 bits; the colour table of <= 8-bit
// formats is filled). With bits null, only the header is completed (size of image). Result:
// the number of rows copied, 0 on failure.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage);

// A bitmap from a packed DIB (BITMAPINFOHEADER, colour table, pixels), the form of a bitmap
// resource: a DIB section keeping its depth when asDibSection, else a device-dependent bitmap.
HBITMAP CreateBitmapFromPackedDib(const BYTE* data, std::size_t size, bool asDibSection);

// Bitmap resources come from the program's resources: the provider returns the packed DIB
// of a resource id, empty when there is none.
using BitmapResourceProvider = std::function<std::vector<BYTE>(UINT resourceId)>;
void SetBitmapResourceProvider(BitmapResourceProvider provider);
std::vector<BYTE> FindBitmapResource(UINT resourceId);
// LoadImage-style: a DIB section of the resource's own depth.
HBITMAP LoadBitmapAsDibSection(UINT resourceId);
