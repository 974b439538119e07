#include "toolkit/ImageObj.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/gdi/Dc.h"
#include "platform/gdi/Gdi.h"
#include "toolkit/ImageBMP.h"
#include "toolkit/ImageJAS.h"
#include "toolkit/ImageJPG.h"
#include "toolkit/ImageMemFile.h"
#include "toolkit/ImagePNG.h"

namespace {

// Sizes and offsets of the DIB end up in 32-bit file fields and memory-file positions.
constexpr std::uint64_t kMaxDibSize = std::numeric_limits<std::int32_t>::max() - 14;

long PelsPerMeter(long dpi) { return long(std::floor(dpi * 10000.0 / 254.0 + 0.5)); }

int OptionSlot(DWORD type) {
  switch (type) {
    case IMAGE_TYPE_UNKNOWN:
      return 0;
    case IMAGE_TYPE_BMP:
      return 1;
    case IMAGE_TYPE_JPEG:
      return 2;
    case IMAGE_TYPE_PNG:
      return 3;
    case IMAGE_TYPE_JPEG2000:
      return 4;
    default:
      return -1;
  }
}

}  // namespace

CImageObj::CImageObj(DWORD type) : m_type(type) {
  SetDpiX(96);
  SetDpiY(96);
}

CImageObj::~CImageObj() { Destroy(); }

void CImageObj::SetLastError(const char* text) { std::snprintf(m_lastError, sizeof m_lastError, "%s", text); }

void* CImageObj::Create(DWORD width, DWORD height, DWORD bpp, DWORD type) {
  if (!Destroy()) return nullptr;
  if (width == 0 || height == 0) {
    SetLastError("CImageObj::Create : width and height must be greater than zero");
    return nullptr;
  }
  bpp = bpp <= 1 ? 1 : bpp <= 4 ? 4 : bpp <= 8 ? 8 : 24;
  const DWORD colors = bpp == 24 ? 0 : DWORD(1) << bpp;
  const std::uint64_t rowBytes = (std::uint64_t(width) * bpp + 31) / 32 * 4;
  const std::uint64_t imageSize = rowBytes * height;
  const std::uint64_t dibSize =
      sizeof(BITMAPINFOHEADER) + std::uint64_t(colors) * sizeof(RGBQUAD) + imageSize;
  if (width > DWORD(std::numeric_limits<LONG>::max()) || height > DWORD(std::numeric_limits<LONG>::max()) ||
      dibSize > kMaxDibSize) {
    SetLastError("CImageObj::Create : image too large");
    return nullptr;
  }
  m_rowBytes = DWORD(rowBytes);
  m_header.biSize = sizeof(BITMAPINFOHEADER);
  m_header.biWidth = LONG(width);
  m_header.biHeight = LONG(height);
  m_header.biPlanes = 1;
  m_header.biBitCount = WORD(bpp);
  m_header.biCompression = BI_RGB;
  m_header.biSizeImage = DWORD(imageSize);
  m_header.biClrUsed = colors;
  m_header.biClrImportant = 0;
  m_type = type;

  m_pDib = static_cast<BYTE*>(std::malloc(std::size_t(dibSize)));
  if (!m_pDib) {
    SetLastError("CImageObj::Create can't allocate memory");
    return nullptr;
  }
  // Palette and pixels start zeroed: the row padding goes into files as it stands, and must
  // not carry whatever the heap held before.
  std::memset(m_pDib + sizeof(BITMAPINFOHEADER), 0, std::size_t(dibSize) - sizeof(BITMAPINFOHEADER));
  SyncHeaderToDib();
  m_pPixels = m_pDib + sizeof(BITMAPINFOHEADER) + GetPaletteBytes();
  return m_pDib;
}

BOOL CImageObj::CreateFromHBITMAP(HBITMAP bitmap, HPALETTE palette) {
  if (!Destroy() || !bitmap) return FALSE;
  BITMAP bm{};
  if (!GetObject(bitmap, sizeof bm, &bm)) return FALSE;
  if (!Create(DWORD(bm.bmWidth), DWORD(bm.bmHeight), bm.bmBitsPixel, IMAGE_TYPE_UNKNOWN)) return FALSE;
  // A context of the screen's format. The screen is true colour, so there is no system
  // palette to realise: palette bitmaps bring their own colour table.
  (void)palette;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return FALSE;
  const int lines =
      GetDIBits(dc, bitmap, 0, GetHeight(), m_pPixels, reinterpret_cast<BITMAPINFO*>(m_pDib), DIB_RGB_COLORS);
  DeleteDC(dc);
  if (lines == 0) {
    SetLastError("GetDIBits failed");
    return FALSE;
  }
  return TRUE;
}

BOOL CImageObj::Destroy() {
  if (m_pViewSource) return FALSE;
  FreeSelection();
  FreeAlpha();
  std::free(m_pDib);
  m_pDib = nullptr;
  m_pPixels = nullptr;
  return TRUE;
}

BOOL CImageObj::DestroyFrames() { return m_pViewSource ? FALSE : TRUE; }

void CImageObj::SyncHeaderToDib() {
  if (m_pDib) std::memcpy(m_pDib, &m_header, sizeof m_header);
}

void CImageObj::MakeViewOf(CImageObj& source) {
  m_header = source.m_header;
  m_rowBytes = source.m_rowBytes;
  m_pDib = source.m_pDib;
  m_pPixels = source.m_pPixels;
  m_backgroundIndex = source.m_backgroundIndex;
  m_jpegQuality = source.m_jpegQuality;
  m_dpiX = source.m_dpiX;
  m_dpiY = source.m_dpiY;
  std::memcpy(m_formatOptions, source.m_formatOptions, sizeof m_formatOptions);
  m_pViewSource = &source;
}

BOOL CImageObj::CheckEncodeTarget(CImageFile* file) {
  if (!file) {
    SetLastError("null file handler");
    return TRUE;
  }
  if (!m_pDib) {
    SetLastError("null image!!!");
    return TRUE;
  }
  return FALSE;
}

namespace {

template <class Format>
BOOL EncodeAs(CImageObj& image, CImageFile* file, char (&lastError)[256]) {
  Format format;
  format.MakeViewOf(image);
  const BOOL ok = format.Encode(file);
  if (!ok) std::snprintf(lastError, sizeof lastError, "%s", format.GetLastError());
  return ok;
}

}  // namespace

BOOL CImageObj::Encode(CImageFile* file, DWORD type) {
  switch (type) {
    case IMAGE_TYPE_BMP:
      return EncodeAs<CImageBMP>(*this, file, m_lastError);
    case IMAGE_TYPE_JPEG:
      return EncodeAs<CImageJPG>(*this, file, m_lastError);
    case IMAGE_TYPE_PNG:
      return EncodeAs<CImagePNG>(*this, file, m_lastError);
    case IMAGE_TYPE_JPEG2000:
      return EncodeAs<CImageJAS>(*this, file, m_lastError);
    default:
      SetLastError("Encode: Unknown format");
      return FALSE;
  }
}

BOOL CImageObj::EncodeToMemory(BYTE*& buffer, std::int32_t& size, DWORD type) {
  if (buffer) {
    SetLastError("the buffer must be empty");
    return FALSE;
  }
  CImageMemFile file;
  file.Open();
  if (!Encode(&file, type)) return FALSE;
  buffer = file.DetachBuffer(true);
  size = file.GetSize();
  return TRUE;
}

BYTE* CImageObj::GetBits(DWORD row) {
  if (!m_pDib) return nullptr;
  if (row == 0) return m_pPixels;
  if (row >= GetHeight()) return nullptr;
  return m_pPixels + std::size_t(row) * m_rowBytes;
}

RGBQUAD* CImageObj::GetPaletteEntries() {
  if (!m_pDib || GetNumColors() == 0) return nullptr;
  return reinterpret_cast<RGBQUAD*>(m_pDib + sizeof(BITMAPINFOHEADER));
}

BOOL CImageObj::GetPaletteRgb(int index, BYTE* red, BYTE* green, BYTE* blue) {
  RGBQUAD* palette = GetPaletteEntries();
  if (!palette || index < 0 || DWORD(index) >= GetNumColors()) return FALSE;
  *red = palette[index].rgbRed;
  *green = palette[index].rgbGreen;
  *blue = palette[index].rgbBlue;
  return TRUE;
}

bool CImageObj::IsInside(long x, long y) const {
  return m_pDib && x >= 0 && y >= 0 && x < long(GetWidth()) && y < long(GetHeight());
}

BYTE CImageObj::GetPixelIndex(long x, long y) {
  if (!m_pDib || GetNumColors() == 0) return 0;
  if (!IsInside(x, y)) x = y = 0;
  const BYTE* row = m_pPixels + std::size_t(y) * m_rowBytes;
  switch (GetBpp()) {
    case 8:
      return row[x];
    case 4:
      return BYTE((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F);
    case 1:
      return BYTE((row[x >> 3] >> (7 - (x & 7))) & 0x01);
    default:
      return 0;
  }
}

RGBQUAD CImageObj::GetPixelRgb(long x, long y) {
  RGBQUAD colour{};
  if (!m_pDib) return colour;
  if (!IsInside(x, y)) x = y = 0;
  if (RGBQUAD* palette = GetPaletteEntries()) return palette[GetPixelIndex(x, y)];
  const BYTE* pixel = m_pPixels + std::size_t(y) * m_rowBytes + std::size_t(x) * 3;
  colour.rgbBlue = pixel[0];
  colour.rgbGreen = pixel[1];
  colour.rgbRed = pixel[2];
  return colour;
}

BOOL CImageObj::HasGreyPalette() {
  RGBQUAD* palette = GetPaletteEntries();
  if (!palette) return FALSE;
  for (DWORD i = 0; i < GetNumColors(); ++i) {
    if (palette[i].rgbRed != i || palette[i].rgbGreen != i || palette[i].rgbBlue != i) return FALSE;
  }
  return TRUE;
}

void CImageObj::SwapRedBlue(BYTE* row, long length) {
  if (!row || GetBpp() != 24 || length <= 0) return;
  const std::size_t n = std::min<std::size_t>({std::size_t(length), m_rowBytes, std::size_t(GetWidth()) * 3});
  for (std::size_t i = 0; i + 2 < n; i += 3) std::swap(row[i], row[i + 2]);
}

BYTE CImageObj::GetJpegQuality() const { return BYTE(std::lround(m_jpegQuality)); }

void CImageObj::SetDpiX(long dpi) {
  if (dpi < 1) dpi = 96;
  m_dpiX = dpi;
  m_header.biXPelsPerMeter = LONG(PelsPerMeter(dpi));
}

void CImageObj::SetDpiY(long dpi) {
  if (dpi < 1) dpi = 96;
  m_dpiY = dpi;
  m_header.biYPelsPerMeter = LONG(PelsPerMeter(dpi));
}

DWORD CImageObj::GetFormatOptions(DWORD type) const {
  int slot = OptionSlot(type);
  if (slot < 0) slot = OptionSlot(m_type);
  return slot < 0 ? 0 : m_formatOptions[slot];
}

void CImageObj::SetFormatOptions(DWORD type, DWORD options) {
  const int slot = OptionSlot(type);
  if (slot >= 0) m_formatOptions[slot] = options;
}

BOOL CImageObj::FreeSelection() {
  m_selection.clear();
  m_selectionBox = RECT{LONG(GetWidth()), 0, 0, LONG(GetHeight())};
  return TRUE;
}

BYTE CImageObj::GetAlphaAt(long x, long y) {
  BYTE* p = GetAlphaPointer(x, y);
  return p ? *p : 0;
}

BYTE* CImageObj::GetAlphaPointer(long x, long y) {
  if (!HasAlpha() || !IsInside(x, y)) return nullptr;
  return &m_alpha[std::size_t(x) + std::size_t(y) * GetWidth()];
}

void CImageObj::SetAlphaAt(long x, long y, BYTE value) {
  if (BYTE* p = GetAlphaPointer(x, y)) *p = value;
}
