#pragma once
// CRgn: a region in device units, used for clipping and hit tests.

#include "platform/gdi/GdiObject.h"

class CRgn : public CGdiObject {
 public:
  BOOL CreateRectRgn(int left, int top, int right, int bottom);
  BOOL CreateRectRgnIndirect(LPCRECT rect);
  BOOL CreateEllipticRgn(int left, int top, int right, int bottom);
  BOOL CreateEllipticRgnIndirect(LPCRECT rect);
  BOOL CreatePolygonRgn(const POINT* points, int count, int fillMode);
  BOOL CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
  void SetRectRgn(int left, int top, int right, int bottom);
  void SetRectRgn(LPCRECT rect);
  // Result NULLREGION, SIMPLEREGION, COMPLEXREGION or ERROR.
  int CombineRgn(const CRgn* a, const CRgn* b, int mode);
  int CopyRgn(const CRgn* source);
  BOOL EqualRgn(const CRgn* other) const;
  int OffsetRgn(int dx, int dy);
  int OffsetRgn(POINT offset) { return OffsetRgn(offset.x, offset.y); }
  int GetRgnBox(LPRECT rect) const;
  BOOL PtInRegion(int x, int y) const;
  BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
  BOOL RectInRegion(LPCRECT rect) const;
  operator HRGN() const { return static_cast<HRGN>(m_hObject); }
  static CRgn* FromHandle(HRGN handle);
};

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(LPCRECT rect);
int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode);
int GetRgnBox(HRGN rgn, LPRECT rect);
BOOL PtInRegion(HRGN rgn, int x, int y);
