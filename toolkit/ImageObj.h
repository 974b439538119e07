#pragma once
// CImageObj: a picture held as one Windows device-independent bitmap in memory (header,
// palette, bottom-up rows padded to 4 bytes), made from a GDI bitmap and encoded to BMP,
// JPEG, PNG or JPEG-2000 by the format classes derived from it.

#include <cstdint>
#include <vector>

#include "platform/gdi/GdiTypes.h"
#include "toolkit/ImageFile.h"

// Picture types: which format class encodes a picture.
constexpr DWORD IMAGE_TYPE_UNKNOWN = 0;
constexpr DWORD IMAGE_TYPE_BMP = 1;
constexpr DWORD IMAGE_TYPE_JPEG = 3;
constexpr DWORD IMAGE_TYPE_PNG = 4;
constexpr DWORD IMAGE_TYPE_JPEG2000 = 11;

// JPEG option bits of the format option word.
constexpr DWORD JPEG_OPTION_BASELINE = 0x0001;
constexpr DWORD JPEG_OPTION_ARITHMETIC = 0x0002;
constexpr DWORD JPEG_OPTION_GRAYSCALE = 0x0004;
constexpr DWORD JPEG_OPTION_OPTIMIZE = 0x0008;
constexpr DWORD JPEG_OPTION_PROGRESSIVE = 0x0010;
constexpr DWORD JPEG_OPTION_SUBSAMPLE_422 = 0x1000;
constexpr DWORD JPEG_OPTION_SUBSAMPLE_444 = 0x2000;

class CImageObj {
 public:
  explicit CImageObj(DWORD type = IMAGE_TYPE_UNKNOWN);
  virtual ~CImageObj();
  CImageObj(const CImageObj&) = delete;
  CImageObj& operator=(const CImageObj&) = delete;

  // Allocates a blank picture; bits per pixel become 1, 4, 8 or 24. Null on failure.
  void* Create(DWORD width, DWORD height, DWORD bpp, DWORD type);
  BOOL CreateFromHBITMAP(HBITMAP bitmap, HPALETTE palette = nullptr);
  // FALSE on a view, which never frees the pixels it shares.
  BOOL Destroy();
  BOOL DestroyFrames();

  BOOL Encode(CImageFile* file, DWORD type);
  // The buffer pointer must be null; on success it holds a C-heap block the caller frees.
  BOOL EncodeToMemory(BYTE*& buffer, std::int32_t& size, DWORD type);

  // Rows in DIB order (row 0 is the bottom line).
  BYTE* GetBits(DWORD row = 0);
  DWORD GetWidth() const { return DWORD(m_header.biWidth); }
  DWORD GetHeight() const { return DWORD(m_header.biHeight); }
  WORD GetBpp() const { return m_header.biBitCount; }
  DWORD GetRowBytes() const { return m_rowBytes; }
  DWORD GetNumColors() const { return m_header.biClrUsed; }
  DWORD GetType() const { return m_type; }
  const char* GetLastError() const { return m_lastError; }

  DWORD GetPaletteBytes() const { return GetNumColors() * sizeof(RGBQUAD); }
  DWORD GetDibSize() const { return sizeof(BITMAPINFOHEADER) + GetPaletteBytes() + m_header.biSizeImage; }
  RGBQUAD* GetPaletteEntries();
  BOOL GetPaletteRgb(int index, BYTE* red, BYTE* green, BYTE* blue);
  BYTE GetPixelIndex(long x, long y);
  RGBQUAD GetPixelRgb(long x, long y);
  BOOL HasGreyPalette();
  void SwapRedBlue(BYTE* row, long length);

  void SetJpegQuality(BYTE quality) { m_jpegQuality = quality; }
  BYTE GetJpegQuality() const;
  void SetDpiX(long dpi);
  void SetDpiY(long dpi);
  long GetDpiX() const { return m_dpiX; }
  long GetDpiY() const { return m_dpiY; }
  DWORD GetFormatOptions(DWORD type) const;
  void SetFormatOptions(DWORD type, DWORD options);

  // Selection mask and alpha plane: never created here, so all of these see them absent.
  BOOL FreeSelection();
  void FreeAlpha() { m_alpha.clear(); }
  bool HasAlpha() const { return !m_alpha.empty(); }
  BYTE GetAlphaAt(long x, long y);
  BYTE* GetAlphaPointer(long x, long y);
  void SetAlphaAt(long x, long y, BYTE value);
  BYTE GetAlphaUnchecked(long x, long y) { return m_alpha[std::size_t(x + y * long(GetWidth()))]; }

  // TRUE when encoding must not start (no file, no picture); the reason goes to the last error.
  BOOL CheckEncodeTarget(CImageFile* file);
  // Shares the source's pixels so that a format class can encode them without a copy.
  void MakeViewOf(CImageObj& source);

 protected:
  void SetLastError(const char* text);
  // Puts the master header into the DIB, as encoders write the DIB as it stands.
  void SyncHeaderToDib();
  bool IsInside(long x, long y) const;

  BYTE* m_pDib = nullptr;
  BITMAPINFOHEADER m_header{};
  DWORD m_rowBytes = 0;
  BYTE* m_pPixels = nullptr;
  CImageObj* m_pViewSource = nullptr;
  DWORD m_type;
  char m_lastError[256] = {};
  std::int32_t m_backgroundIndex = -1;
  float m_jpegQuality = 90.0f;
  long m_dpiX = 0;
  long m_dpiY = 0;
  DWORD m_formatOptions[5] = {};

 private:
  std::vector<BYTE> m_selection;
  RECT m_selectionBox{};
  std::vector<BYTE> m_alpha;
};
