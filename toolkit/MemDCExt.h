#pragma once
// CMemDCExt: a drawing context that stands in for a window's context during one paint. It
// draws into an off-screen bitmap of the painted rectangle, with the target's coordinates,
// and copies the picture to the target when it is destroyed. On a printer it draws directly.

#include "platform/gdi/Dc.h"

class CMemDCExt : public CDC {
 public:
  // rect in the target's logical units; none paints the target's clip box.
  explicit CMemDCExt(CDC* target, const RECT* rect = nullptr);
  ~CMemDCExt() override;

  // Set by callers that decide the picture is not to be shown after all.
  bool bNoCopyBack = false;

 private:
  CBitmap m_bitmap;
  CBitmap* m_oldBitmap = nullptr;
  CDC* m_pDC;
  CRect m_rect;
  bool m_bMemDC;
};
