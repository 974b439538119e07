#pragma once
// CFont: a font described by a LOGFONT. Heights follow the platform's rule at 96 dpi: a
// negative height is the character (em) height, a positive one the cell height, 0 a default.
// Face names map onto the DejaVu families installed with the program, so text renders the
// same on every machine.

#include "platform/gdi/GdiObject.h"

class CDC;

class CFont : public CGdiObject {
 public:
  BOOL CreateFontIndirect(const LOGFONT* logFont);
  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                  BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                  BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName);
  // pointSize in tenths of a point, converted with the context's vertical resolution
  // (96 dpi without a context).
  BOOL CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc = nullptr);
  BOOL CreatePointFontIndirect(const LOGFONT* logFont, CDC* dc = nullptr);
  int GetLogFont(LOGFONT* logFont) const;
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
  static CFont* FromHandle(HFONT handle);
};

HFONT CreateFontIndirect(const LOGFONT* logFont);
