#pragma once
// CDibSectionNP: one device-independent bitmap from the program's bitmap resources, drawn at
// a position either opaquely or with the colour of its top-left pixel transparent.

#include <memory>

#include "platform/gdi/Dc.h"

class CDibSectionNP {
 public:
  CDibSectionNP();
  CDibSectionNP(const CDibSectionNP&) = delete;
  CDibSectionNP& operator=(const CDibSectionNP&) = delete;
  ~CDibSectionNP();

  // Loads bitmap resource id as a DIB section and copies it in; false when it cannot be
  // loaded or copied.
  BOOL LoadBitmap(UINT resourceId);
  // A DIB of the bitmap's size and depth; with copyPixels its picture too.
  BOOL CopyFromBitmap(HBITMAP bitmap, BOOL copyPixels);
  // The result of the last blit; false when empty.
  BOOL Draw(CDC* target, int x, int y, BOOL transparent);
  // The picture's size in pixels; 0 x 0 when empty.
  CSize GetSize() const { return CSize(m_info.bmiHeader.biWidth, m_info.bmiHeader.biHeight); }
  void Reset();

 private:
  BOOL MakeMask(CDC* target);

  struct SBitmapInfo256 {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[256];
  };

  HBITMAP m_hBitmap = nullptr;
  SBitmapInfo256 m_info{};
  void* m_pBits = nullptr;
  UINT m_colorTableUsage = DIB_RGB_COLORS;
  int m_colorTableEntries = 0;
  CDC m_memDC;
  HGDIOBJ m_oldBitmap = nullptr;
  std::unique_ptr<CDC> m_pMaskDC;
  std::unique_ptr<CDC> m_pImageDC;
  CBitmap* m_oldMaskBitmap = nullptr;
  CBitmap* m_oldImageBitmap = nullptr;
  std::unique_ptr<CBitmap> m_pMask;
  std::unique_ptr<CBitmap> m_pImage;
};
