#include "toolkit/OwnerMenuMemDC.h"

COwnerMenuMemDC::COwnerMenuMemDC(CDC* target, const RECT& rect)
    : m_target(target), m_rect(rect), m_offScreen(!target->IsPrinting()) {
  if (!m_offScreen) {
    m_hDC = target->m_hDC;
    m_hAttribDC = target->m_hAttribDC;
    m_bPrinting = TRUE;
    return;
  }
  CreateCompatibleDC(target);
  m_bitmap.CreateCompatibleBitmap(target, m_rect.Width(), m_rect.Height());
  m_previous = SelectObject(&m_bitmap);
  SetWindowOrg(m_rect.left, m_rect.top);
}

COwnerMenuMemDC::~COwnerMenuMemDC() {
  if (!m_offScreen) {
    m_hDC = nullptr;
    m_hAttribDC = nullptr;
    return;
  }
  m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                   SRCCOPY);
  SelectObject(m_previous);
}
