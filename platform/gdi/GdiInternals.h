#pragma once
// The layer's own view of its handles. Included by the drawing layer's sources only.

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/gdi/GdiTypes.h"

// One picture of an icon and its mask (RGB32; white mask pixels are transparent).
struct IconPicture {
  QImage color;
  QImage mask;
};

// An icon: its picture and mask, and the other sizes of the icon resource it came from, which
// windows offer to the window system beside it. A shared icon (a loaded resource) lives as long
// as the program: DestroyIcon leaves it.
struct IconData : IconPicture {
  std::vector<IconPicture> otherSizes;
  bool shared = false;
};

namespace gdi {

struct PenData final : GdiPenHandle {
  int style = PS_SOLID;  // PS_ style without end cap, join and type bits
  DWORD fullStyle = PS_SOLID;
  int width = 0;  // logical units; 0 is one device pixel whatever the mapping
  COLORREF color = 0;
  std::vector<DWORD> userStyle;
};

struct BitmapData;

struct BrushData final : GdiBrushHandle {
  UINT style = BS_SOLID;
  COLORREF color = 0;
  int hatch = 0;
};

// A font realized at one device size.
struct RealFont {
  QFont font;
  int ascent = 0;
  int descent = 0;
  int emPixels = 0;
  int externalLeading = 0;
  int aveCharWidth = 0;
  int maxCharWidth = 0;
  std::unique_ptr<QFontMetrics> metrics;
  int Height() const { return ascent + descent; }
};

struct FontData final : GdiFontHandle {
  LOGFONT log{};
  std::mutex cacheLock;
  std::map<int, std::unique_ptr<RealFont>> cache;  // by device height (signed as in LOGFONT)
};

struct DibInfo {
  BITMAPINFOHEADER header{};  // height negative for top-down
  std::vector<RGBQUAD> table;
  BYTE* bits = nullptr;
  std::unique_ptr<BYTE[]> storage;
  int stride = 0;
};

struct BitmapData final : GdiBitmapHandle {
  QImage image;       // RGB32 (ARGB32 for 32-bit DIB sections, so that alpha survives)
  bool mono = false;  // a monochrome device-dependent bitmap
  int bitsPerPixel = 32;
  std::unique_ptr<DibInfo> dib;
  DcData* selectedIn = nullptr;
  // Pulls the DIB's memory into the image (before reading or drawing).
  void ImportDib();
  // Pushes the image into the DIB's memory (after drawing).
  void ExportDib();
};

struct RgnData final : GdiRgnHandle {
  QRegion region;
};

struct PaletteData final : GdiPaletteHandle {
  std::vector<PALETTEENTRY> entries;
};

template <class T>
T* Data(HGDIOBJ h) {
  return dynamic_cast<T*>(h);
}

void AddRef(HGDIOBJ h);
void Release(HGDIOBJ h);

// A counted reference to a handle, for selections and saved states.
template <class H>
class Ref {
 public:
  Ref() = default;
  explicit Ref(H h) : m_h(h) { AddRef(m_h); }
  Ref(const Ref& o) : m_h(o.m_h) { AddRef(m_h); }
  Ref& operator=(const Ref& o) {
    if (o.m_h != m_h) {
      AddRef(o.m_h);
      Release(m_h);
      m_h = o.m_h;
    }
    return *this;
  }
  ~Ref() { Release(m_h); }
  H get() const { return m_h; }
  void reset(H h) { *this = Ref(h); }

 private:
  H m_h = nullptr;
};

QRgb ToRgb(COLORREF c);
COLORREF ToColorRef(QRgb p);
bool IsWhiteish(QRgb p);
void ThresholdMono(QImage& image);
QImage NewImage(int width, int height, bool alpha = false);
// The picture with an alpha channel: transparent where the mask is white.
QImage MaskedPicture(const IconPicture& picture);

HBITMAP NewBitmap(QImage image, bool mono);
HBITMAP StockMonoBitmap();
const RealFont& Realize(FontData& font, int deviceHeight);
QString ToQString(const char16_t* text, int count);

int DibStride(int width, int bitsPerPixel);
QRgb ReadDibPixel(const BYTE* row, int x, int bitsPerPixel, const std::vector<RGBQUAD>& table);
void WriteDibPixel(BYTE* row, int x, int bitsPerPixel, const std::vector<RGBQUAD>& table, QRgb pixel);

// The colour of a brush at a device pixel.
QRgb BrushPixel(const BrushData& brush, int x, int y, COLORREF bkColor, int bkMode);

}  // namespace gdi
