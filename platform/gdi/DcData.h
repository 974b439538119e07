#pragma once
// The state behind an HDC. Included by the drawing layer's sources only.

#include <QPainter>
#include <QRegion>
#include <optional>
#include <vector>

#include "platform/gdi/GdiInternals.h"
#include "platform/gdi/PageRecorder.h"
#include "platform/gdi/PrintDocument.h"

struct DcState {
  gdi::Ref<HPEN> pen;
  gdi::Ref<HBRUSH> brush;
  gdi::Ref<HFONT> font;
  gdi::Ref<HBITMAP> bitmap;
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  UINT textAlign = TA_LEFT | TA_TOP;
  int rop2 = R2_COPYPEN;
  int polyFillMode = ALTERNATE;
  int mapMode = MM_TEXT;
  POINT windowOrg{0, 0};
  POINT viewportOrg{0, 0};
  SIZE windowExt{1, 1};
  SIZE viewportExt{1, 1};
  std::optional<QRegion> clip;  // device units; none = the whole surface
  POINT position{0, 0};
};

struct DcData {
  // Memory: a selected bitmap. Image: the window's or recorded page's image. Document: the
  // pages of a PDF file or printer, which have no pixels to read.
  enum class Kind { Memory, Image, Document };

  Kind kind = Kind::Memory;
  QImage* external = nullptr;  // Image kind: the window's or page's image
  int dpi = 96;
  bool printer = false;
  // NUMCOLORS: -1 for a true-colour device, 2 for a printer that prints black only.
  int colorCount = -1;
  bool screen = true;
  // Memory printer contexts: the recorded pages, and the blank page drawn on outside StartPage
  // (a document context's one-pixel stand-in before its first page).
  std::unique_ptr<PageRecorder> recorder;
  std::unique_ptr<QImage> ownPage;
  // Document contexts: the file or printer the painter draws on, page by page.
  std::unique_ptr<IPrintDocument> document;
  bool pageOpen = false;
  bool inDocument = false;
  DcState st;
  std::vector<DcState> saved;

  QPainter painter;
  // What the open painter was last set to, so that repeated calls skip redundant changes.
  const gdi::RealFont* painterFont = nullptr;
  bool painterClipValid = false;

  DcData();
  ~DcData();

  QImage* Surface() const;  // null for a document context
  QRect SurfaceRect() const;
  bool HasPixels() const { return kind != Kind::Document; }
  gdi::BitmapData* SurfaceBitmap() const;
  bool MonoSurface() const;

  // The painter on the surface, opened on first use and kept open between calls.
  QPainter& Painter();
  void EndPainter();
  // Document contexts: begins painting on the device (first page) or turns to a new page.
  bool StartDocumentPage();
  // Pixel access without the painter: ends any painter open on the surface.
  QImage& RawSurface();
  // Visits every pixel of device rectangle r inside the clip with fn(x, y, QRgb& pixel). A
  // document context has no pixels: the visits write a patch that starts as transparent white
  // paper and is then painted at its place, so untouched pixels keep what lies beneath.
  template <class PixelFn>
  void ForEachPixel(const QRect& r, PixelFn fn);
  // Before and after one drawing call: DIB sections are read in before and written back
  // after; monochrome surfaces are brought back to black and white.
  void BeginDraw();
  void EndDraw();
  void ClipChanged();
  // The clip as a region in device units, limited to the surface.
  QRegion DeviceClip() const;

  // Mapping.
  bool IsIdentityMapping() const;
  POINT ToDevice(int x, int y) const;
  POINT ToLogical(int x, int y) const;
  QRect ToDeviceRect(int l, int t, int r, int b) const;  // normalized, right/bottom exclusive
  int ToDeviceWidth(int w) const;
  int ToDeviceHeight(int h) const;
  double ScaleX() const;
  double ScaleY() const;

  gdi::PenData* Pen() const { return static_cast<gdi::PenData*>(st.pen.get()); }
  gdi::BrushData* Brush() const { return static_cast<gdi::BrushData*>(st.brush.get()); }
  gdi::FontData* Font() const { return static_cast<gdi::FontData*>(st.font.get()); }
  const gdi::RealFont& RealizedFont() const;

 private:
  void OpenPainter(QPaintDevice* device);
  void PaintPatch(const QImage& patch, QPoint at);
};

template <class PixelFn>
void DcData::ForEachPixel(const QRect& r, PixelFn fn) {
  const QRegion region = DeviceClip().intersected(r);
  if (region.isEmpty()) return;
  QImage patch;
  QImage* image = nullptr;
  QPoint origin(0, 0);
  if (HasPixels()) {
    image = &RawSurface();
  } else {
    origin = region.boundingRect().topLeft();
    patch = QImage(region.boundingRect().size(), QImage::Format_ARGB32);
    patch.fill(0x00FFFFFF);
    image = &patch;
  }
  for (const QRect& part : region) {
    for (int y = part.top(); y <= part.bottom(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(image->scanLine(y - origin.y()));
      for (int x = part.left(); x <= part.right(); ++x) fn(x, y, row[x - origin.x()]);
    }
  }
  if (!HasPixels()) PaintPatch(patch, origin);
}

namespace gdi {
// Painter composition mode for a binary raster operation; false for R2_NOP. A painter that
// cannot combine with what is already drawn (a PDF or printer) draws the colour the operation
// would give on white paper.
bool ApplyRop2(QPainter& painter, int rop2, QRgb& color);
}  // namespace gdi
