#include "platform/gdi/Brush.h"

#include "platform/gdi/GdiInternals.h"

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

QRgb BrushPixel(const BrushData& brush, int x, int y, COLORREF bkColor, int bkMode) {
  switch (brush.style) {
    case BS_SOLID:
      return ToRgb(brush.color);
    case BS_HATCHED:
      if (HatchBit(brush.hatch, x, y)) return ToRgb(brush.color);
      return bkMode == OPAQUE ? ToRgb(bkColor) : 0;
    default:
      return 0;
  }
}

}  // namespace gdi

BOOL CBrush::CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
BOOL CBrush::CreateHatchBrush(int hatch, COLORREF color) { return Attach(::CreateHatchBrush(hatch, color)); }
CBrush* CBrush::FromHandle(HBRUSH handle) { return static_cast<CBrush*>(CGdiObject::FromHandle(handle)); }
