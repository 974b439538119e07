#pragma once
// CGridBackDC: the off-screen context of a grid's paint. It draws into a bitmap of the
// rectangle and copies it to the target in one blit when it goes; on a printer it draws on
// the target itself.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"

class CGridBackDC : public CDC {
 public:
  // Without a rectangle the target's clip box is taken.
  CGridBackDC(CDC* target, const RECT* rect = nullptr);
  ~CGridBackDC() override;
  CGridBackDC(const CGridBackDC&) = delete;
  CGridBackDC& operator=(const CGridBackDC&) = delete;

 private:
  CBitmap m_bitmap;
  CBitmap* m_oldBitmap = nullptr;
  CDC* m_target;
  CRect m_rect;
  bool m_offScreen;
};
