#pragma once

#include "platform/gdi/GdiObject.h"

class CBitmap;

class CBrush : public CGdiObject {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  CBrush(int hatch, COLORREF color) { CreateHatchBrush(hatch, color); }
  explicit CBrush(CBitmap* pattern) { CreatePatternBrush(pattern); }

  BOOL CreateSolidBrush(COLORREF color);
  BOOL CreateHatchBrush(int hatch, COLORREF color);
  BOOL CreatePatternBrush(CBitmap* pattern);
  BOOL CreateBrushIndirect(const LOGBRUSH* logBrush);
  BOOL CreateSysColorBrush(int index);
  int GetLogBrush(LOGBRUSH* logBrush) const;
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
  static CBrush* FromHandle(HBRUSH handle);
};

HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
HBRUSH CreatePatternBrush(HBITMAP pattern);
HBRUSH CreateBrushIndirect(const LOGBRUSH* logBrush);
