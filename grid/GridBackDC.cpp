#include "grid/GridBackDC.h"

CGridBackDC::CGridBackDC(CDC* target, const RECT* rect)
    : m_target(target), m_offScreen(!target->IsPrinting()) {
  if (rect)
    m_rect = *rect;
  else
    target->GetClipBox(m_rect);
  if (m_offScreen) {
    CreateCompatibleDC(target);
    target->LPtoDP(m_rect);
    m_bitmap.CreateCompatibleBitmap(target, m_rect.Width(), m_rect.Height());
    m_oldBitmap = SelectObject(&m_bitmap);
    SetMapMode(target->GetMapMode());
    SetWindowExt(target->GetWindowExt());
    SetViewportExt(target->GetViewportExt());
    target->DPtoLP(m_rect);
    SetWindowOrg(m_rect.left, m_rect.top);
  } else {
    m_bPrinting = TRUE;
    SetOutputDC(target->m_hDC);
    SetAttribDC(target->m_hAttribDC);
  }
  FillSolidRect(m_rect, target->GetBkColor());
}

CGridBackDC::~CGridBackDC() {
  if (m_offScreen) {
    m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                     SRCCOPY);
    SelectObject(m_oldBitmap);
  } else {
    ReleaseOutputDC();
    ReleaseAttribDC();
  }
}
