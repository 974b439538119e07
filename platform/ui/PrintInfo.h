#pragma once
// CPrintInfo: the state of one print job that a view's printing members share: the printable
// rectangle of the page, the page range and the page being printed.

#include "platform/gdi/Geometry.h"

class CPrintInfo {
 public:
  void SetMaxPage(UINT page) { m_nMaxPage = page; }
  UINT GetMinPage() const { return m_nMinPage; }
  UINT GetMaxPage() const { return m_nMaxPage; }

  // The printable area of the page in device units (0, 0, HORZRES, VERTRES).
  CRect m_rectDraw;
  UINT m_nCurPage = 1;
  BOOL m_bContinuePrinting = TRUE;

 private:
  UINT m_nMinPage = 1;
  UINT m_nMaxPage = 0xFFFF;
};
