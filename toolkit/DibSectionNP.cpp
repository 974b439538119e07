#include "toolkit/DibSectionNP.h"

#include <cstdlib>
#include <cstring>

#include "platform/gdi/Gdi.h"

CDibSectionNP::CDibSectionNP() { Reset(); }

CDibSectionNP::~CDibSectionNP() { Reset(); }

void CDibSectionNP::Reset() {
  if (m_pMaskDC) m_pMaskDC->SelectObject(m_oldMaskBitmap);
  if (m_pImageDC) m_pImageDC->SelectObject(m_oldImageBitmap);
  m_pMaskDC.reset();
  m_pImageDC.reset();
  m_pMask.reset();
  m_pImage.reset();
  m_oldMaskBitmap = nullptr;
  m_oldImageBitmap = nullptr;
  if (m_hBitmap) DeleteObject(m_hBitmap);
  m_hBitmap = nullptr;
  m_pBits = nullptr;
  std::memset(&m_info, 0, sizeof m_info);
  m_colorTableEntries = 0;
}

BOOL CDibSectionNP::LoadBitmap(UINT resourceId) {
  HBITMAP loaded = LoadBitmapAsDibSection(resourceId);
  if (!loaded) return FALSE;
  const BOOL ok = CopyFromBitmap(loaded, TRUE);
  DeleteObject(loaded);
  return ok;
}

BOOL CDibSectionNP::CopyFromBitmap(HBITMAP bitmap, BOOL copyPixels) {
  Reset();
  BITMAP bm{};
  if (!bitmap || !GetObject(bitmap, sizeof bm, &bm)) return FALSE;
  const int height = std::abs(bm.bmHeight);
  BITMAPINFOHEADER& h = m_info.bmiHeader;
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = bm.bmWidth;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = bm.bmBitsPixel;
  h.biCompression = BI_RGB;
  h.biSizeImage = DWORD(((bm.bmBitsPixel * bm.bmWidth + 31) & ~31) / 8 * height);

  CDC screen;
  screen.CreateCompatibleDC(nullptr);
  if (bm.bmBitsPixel <= 8) {
    // Bitmaps of 8 bits or less bring their colour table along.
    m_colorTableEntries = 1 << bm.bmBitsPixel;
    SBitmapInfo256 query = m_info;
    GetDIBits(screen, bitmap, 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&query), DIB_RGB_COLORS);
    std::memcpy(m_info.bmiColors, query.bmiColors, sizeof(RGBQUAD) * std::size_t(m_colorTableEntries));
  }
  m_hBitmap = CreateDIBSection(screen, reinterpret_cast<const BITMAPINFO*>(&m_info), m_colorTableUsage,
                               &m_pBits, nullptr, 0);
  if (!m_hBitmap) {
    Reset();
    return FALSE;
  }
  if (copyPixels) {
    CDC source, copy;
    source.CreateCompatibleDC(nullptr);
    copy.CreateCompatibleDC(nullptr);
    HGDIOBJ oldSource = source.SelectObject(HGDIOBJ(bitmap));
    HGDIOBJ oldCopy = copy.SelectObject(HGDIOBJ(m_hBitmap));
    copy.BitBlt(0, 0, bm.bmWidth, height, &source, 0, 0, SRCCOPY);
    source.SelectObject(oldSource);
    copy.SelectObject(oldCopy);
  }
  return TRUE;
}

// The mask has 1 where the bitmap has its top-left pixel's colour; the prepared image is the
// bitmap with those pixels black, ready to be OR-ed onto the target.
BOOL CDibSectionNP::MakeMask(CDC* target) {
  const int width = m_info.bmiHeader.biWidth;
  const int height = m_info.bmiHeader.biHeight;
  CDC dib;
  dib.CreateCompatibleDC(target);
  HGDIOBJ oldDib = dib.SelectObject(HGDIOBJ(m_hBitmap));
  if (!oldDib) return FALSE;
  const COLORREF transparent = dib.GetPixel(0, 0);

  m_pImageDC = std::make_unique<CDC>();
  m_pImageDC->CreateCompatibleDC(target);
  m_pImage = std::make_unique<CBitmap>();
  m_pImage->CreateCompatibleBitmap(target, width, height);
  m_oldImageBitmap = m_pImageDC->SelectObject(m_pImage.get());
  m_pImageDC->BitBlt(0, 0, width, height, &dib, 0, 0, SRCCOPY);
  dib.SelectObject(oldDib);

  m_pMaskDC = std::make_unique<CDC>();
  m_pMaskDC->CreateCompatibleDC(target);
  m_pMask = std::make_unique<CBitmap>();
  m_pMask->CreateBitmap(width, height, 1, 1, nullptr);
  m_oldMaskBitmap = m_pMaskDC->SelectObject(m_pMask.get());
  m_pImageDC->SetBkColor(transparent);
  m_pMaskDC->BitBlt(0, 0, width, height, m_pImageDC.get(), 0, 0, SRCCOPY);

  m_pImageDC->SetBkColor(RGB(0, 0, 0));
  m_pImageDC->SetTextColor(RGB(255, 255, 255));
  m_pImageDC->BitBlt(0, 0, width, height, m_pMaskDC.get(), 0, 0, SRCAND);
  return TRUE;
}

BOOL CDibSectionNP::Draw(CDC* target, int x, int y, BOOL transparent) {
  // Nothing to draw, or nowhere to draw it.
  if (!m_hBitmap || !target) return FALSE;
  if (transparent && !m_pMask && !MakeMask(target)) return FALSE;
  m_memDC.CreateCompatibleDC(target);
  m_oldBitmap = m_memDC.SelectObject(HGDIOBJ(m_hBitmap));
  if (!m_oldBitmap) {
    m_memDC.DeleteDC();
    return FALSE;
  }
  const int width = m_info.bmiHeader.biWidth;
  const int height = m_info.bmiHeader.biHeight;
  BOOL result = FALSE;
  if (transparent) {
    const COLORREF oldBk = target->SetBkColor(RGB(255, 255, 255));
    const COLORREF oldText = target->SetTextColor(RGB(0, 0, 0));
    target->BitBlt(x, y, width, height, m_pMaskDC.get(), 0, 0, SRCAND);
    result = target->BitBlt(x, y, width, height, m_pImageDC.get(), 0, 0, SRCPAINT);
    target->SetBkColor(oldBk);
    target->SetTextColor(oldText);
  } else {
    result = target->BitBlt(x, y, width, height, &m_memDC, 0, 0, SRCCOPY);
  }
  GdiFlush();
  m_memDC.SelectObject(m_oldBitmap);
  m_memDC.DeleteDC();
  return result;
}
