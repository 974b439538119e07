#include "platform/gdi/Pen.h"

#include "platform/gdi/GdiInternals.h"

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles) {
  auto* p = new gdi::PenData;
  p->fullStyle = style;
  p->style = int(style & PS_STYLE_MASK);
  p->width = int(width);
  p->color = brush ? brush->lbColor : 0;
  if (p->style == PS_USERSTYLE && styles) p->userStyle.assign(styles, styles + styleCount);
  return p;
}

HPEN CreatePen(int style, int width, COLORREF color) {
  LOGBRUSH brush{BS_SOLID, color, 0};
  return ExtCreatePen(DWORD(style), DWORD(width < 0 ? 0 : width), &brush, 0, nullptr);
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
  return Attach(::CreatePen(style, width, color));
}

int CPen::GetLogPen(LOGPEN* logPen) const { return GetObject(sizeof(LOGPEN), logPen); }

CPen* CPen::FromHandle(HPEN handle) { return static_cast<CPen*>(CGdiObject::FromHandle(handle)); }
