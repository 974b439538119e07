#pragma once
// COwnerMenuMemDC: an off-screen context over a rectangle of a target context. Drawing goes to
// a bitmap of the rectangle's size (in the target's coordinates); the destructor copies the
// rectangle back. A printer target is drawn on directly.

#include "platform/gdi/Dc.h"

class COwnerMenuMemDC : public CDC {
 public:
  COwnerMenuMemDC(CDC* target, const RECT& rect);
  ~COwnerMenuMemDC() override;

 private:
  CBitmap m_bitmap;
  CBitmap* m_previous = nullptr;
  CDC* m_target;
  CRect m_rect;
  bool m_offScreen;
};
