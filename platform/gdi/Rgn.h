#pragma once
// CRgn: a region in device units, used for clipping.

#include "platform/gdi/GdiObject.h"

class CRgn : public CGdiObject {
 public:
  BOOL CreateRectRgn(int left, int top, int right, int bottom);
  BOOL CreateRectRgnIndirect(LPCRECT rect);
  operator HRGN() const { return static_cast<HRGN>(m_hObject); }
};

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(LPCRECT rect);
