#include "platform/gdi/Brush.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternals.h"
#include "platform/gdi/SystemInfo.h"

HBRUSH CreateSolidBrush(COLORREF color) {
  auto* b = new gdi::BrushData;
  b->color = color & 0xFFFFFF;
  return b;
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
  auto* b = new gdi::BrushData;
  b->style = BS_HATCHED;
  b->hatch = hatch;
  b->color = color & 0xFFFFFF;
  return b;
}

HBRUSH CreatePatternBrush(HBITMAP pattern) {
  auto* source = gdi::Data<gdi::BitmapData>(pattern);
  if (!source) return nullptr;
  source->ImportDib();
  auto* b = new gdi::BrushData;
  b->style = BS_PATTERN;
  b->pattern = source->image.copy();
  b->monoPattern = source->mono;
  return b;
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* logBrush) {
  if (!logBrush) return nullptr;
  switch (logBrush->lbStyle) {
    case BS_SOLID:
      return CreateSolidBrush(logBrush->lbColor);
    case BS_HATCHED:
      return CreateHatchBrush(int(logBrush->lbHatch), logBrush->lbColor);
    case BS_NULL:
      return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    default:
      return nullptr;
  }
}

namespace gdi {

namespace {

// 8 x 8 hatch patterns: true where the hatch line is.
bool HatchBit(int hatch, int x, int y) {
  x &= 7;
  y &= 7;
  switch (hatch) {
    case HS_HORIZONTAL:
      return y == 7;
    case HS_VERTICAL:
      return x == 7;
    case HS_FDIAGONAL:
      return x == y;
    case HS_BDIAGONAL:
      return x == 7 - y;
    case HS_CROSS:
      return x == 7 || y == 7;
    case HS_DIAGCROSS:
      return x == y || x == 7 - y;
    default:
      return false;
  }
}

}  // namespace

QRgb BrushPixel(const BrushData& brush, int x, int y, COLORREF bkColor, int bkMode, COLORREF textColor) {
  switch (brush.style) {
    case BS_SOLID:
      return ToRgb(brush.color);
    case BS_HATCHED:
      if (HatchBit(brush.hatch, x, y)) return ToRgb(brush.color);
      return bkMode == OPAQUE ? ToRgb(bkColor) : 0;
    case BS_PATTERN: {
      if (brush.pattern.isNull()) return 0;
      int w = brush.pattern.width();
      int h = brush.pattern.height();
      QRgb p = brush.pattern.pixel(((x % w) + w) % w, ((y % h) + h) % h);
      if (brush.monoPattern) return IsWhiteish(p) ? ToRgb(bkColor) : ToRgb(textColor);
      return p | 0xFF000000;
    }
    default:
      return 0;
  }
}

}  // namespace gdi

BOOL CBrush::CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
BOOL CBrush::CreateHatchBrush(int hatch, COLORREF color) { return Attach(::CreateHatchBrush(hatch, color)); }
BOOL CBrush::CreatePatternBrush(CBitmap* pattern) {
  return pattern ? Attach(::CreatePatternBrush(static_cast<HBITMAP>(pattern->m_hObject))) : FALSE;
}
BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* logBrush) { return Attach(::CreateBrushIndirect(logBrush)); }
BOOL CBrush::CreateSysColorBrush(int index) { return Attach(::CreateSolidBrush(GetSysColor(index))); }
int CBrush::GetLogBrush(LOGBRUSH* logBrush) const { return GetObject(sizeof(LOGBRUSH), logBrush); }
CBrush* CBrush::FromHandle(HBRUSH handle) { return static_cast<CBrush*>(CGdiObject::FromHandle(handle)); }
