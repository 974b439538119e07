#pragma once
// The state behind an HDC. Included by the drawing layer's sources only.

#include <QPainter>
#include <QRegion>
#include <optional>
#include <vector>

#include "platform/gdi/GdiInternals.h"
#include "platform/gdi/PrintTarget.h"

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
  int stretchMode = BLACKONWHITE;
  int polyFillMode = ALTERNATE;
  POINT brushOrg{0, 0};
  int mapMode = MM_TEXT;
  POINT windowOrg{0, 0};
  POINT viewportOrg{0, 0};
  SIZE windowExt{1, 1};
  SIZE viewportExt{1, 1};
  std::optional<QRegion> clip;  // device units; none = the whole surface
  POINT position{0, 0};
};

struct DcData {
  enum class Kind { Memory, Image };

  Kind kind = Kind::Memory;
  QImage* external = nullptr;  // Image kind: the window's or page's image
  int dpi = 96;
  bool printer = false;
  bool screen = true;
  // Printer contexts: where the pages go, and the blank page drawn on outside StartPage.
  std::shared_ptr<IPrintTarget> printTarget;
  std::unique_ptr<QImage> ownPage;
  bool inDocument = false;
  DcState st;
  std::vector<DcState> saved;

  QPainter painter;
  // What the open painter was last set to, so that repeated calls skip redundant changes.
  const gdi::RealFont* painterFont = nullptr;
  QRgb painterTextColor = 0;
  bool painterClipValid = false;

  DcData();
  ~DcData();

  QImage* Surface() const;
  gdi::BitmapData* SurfaceBitmap() const;
  bool MonoSurface() const;

  // The painter on the surface, opened on first use and kept open between calls.
  QPainter& Painter();
  void EndPainter();
  // Pixel access without the painter: ends any painter open on the surface.
  QImage& RawSurface();
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
};

namespace gdi {
// Painter composition mode for a binary raster operation; false for R2_NOP.
bool ApplyRop2(QPainter& painter, int rop2, QRgb& color);
}  // namespace gdi
