#pragma once

#include "platform/gdi/GdiObject.h"

class CPen : public CGdiObject {
 public:
  CPen() = default;
  CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
  CPen(int style, int width, const LOGBRUSH* brush, int styleCount = 0, const DWORD* styles = nullptr) {
    CreatePen(style, width, brush, styleCount, styles);
  }

  BOOL CreatePen(int style, int width, COLORREF color);
  BOOL CreatePen(int style, int width, const LOGBRUSH* brush, int styleCount = 0,
                 const DWORD* styles = nullptr);
  BOOL CreatePenIndirect(const LOGPEN* logPen);
  int GetLogPen(LOGPEN* logPen) const;
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }
  static CPen* FromHandle(HPEN handle);
};

HPEN CreatePen(int style, int width, COLORREF color);
HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles);
HPEN CreatePenIndirect(const LOGPEN* logPen);
