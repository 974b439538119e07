#pragma once
// CBitmap: a device-dependent bitmap (32 bits per pixel, as the screen) or a monochrome one.
// DIB sections (CreateDIBSection) are bitmaps too and can be wrapped by a CBitmap.

#include "platform/gdi/GdiObject.h"

class CDC;

class CBitmap : public CGdiObject {
 public:
  // bitsPerPixel 1 makes a monochrome bitmap, anything else a colour one; bits (optional)
  // are rows of the given depth, each padded to 16 bits.
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
  // A bitmap of the format of the context's surface: monochrome for a memory context that
  // still holds its initial monochrome bitmap, as on the platform.
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  // A bitmap resource of the program (see SetBitmapResourceProvider).
  BOOL LoadBitmap(UINT resourceId);
  int GetBitmap(BITMAP* bitmap) const;
  DWORD GetBitmapBits(DWORD count, void* bits) const;
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
  static CBitmap* FromHandle(HBITMAP handle);
};

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
HBITMAP LoadBitmap(UINT resourceId);
LONG GetBitmapBits(HBITMAP bitmap, LONG count, void* bits);
LONG SetBitmapBits(HBITMAP bitmap, DWORD count, const void* bits);
