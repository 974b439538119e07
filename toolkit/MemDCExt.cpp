#include "toolkit/MemDCExt.h"

CMemDCExt::CMemDCExt(CDC* target, const RECT* rect) : m_pDC(target), m_bMemDC(!target->IsPrinting()) {
  if (rect)
    m_rect = *rect;
  else
    target->GetClipBox(&m_rect);

  if (!m_bMemDC) {
    // A printer context is used as it is: its output and attribute handles are borrowed.
    m_bPrinting = target->m_bPrinting;
    m_hDC = target->m_hDC;
    m_hAttribDC = target->m_hAttribDC;
  } else {
    CreateCompatibleDC(target);
    target->LPtoDP(&m_rect);
    m_bitmap.CreateCompatibleBitmap(target, std::abs(m_rect.Width()), std::abs(m_rect.Height()));
    m_oldBitmap = SelectObject(&m_bitmap);
    SetMapMode(target->GetMapMode());
    SetWindowExt(target->GetWindowExt());
    SetViewportExt(target->GetViewportExt());
    target->DPtoLP(&m_rect);
    // The off-screen picture starts at the rectangle's corner, so the caller keeps drawing
    // in the target's coordinates.
    SetWindowOrg(m_rect.left, m_rect.top);
  }
  FillSolidRect(m_rect, target->GetBkColor());
}

CMemDCExt::~CMemDCExt() {
  if (m_bMemDC) {
    if (!bNoCopyBack)
      m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                    SRCCOPY);
    SelectObject(m_oldBitmap);
  } else {
    // Borrowed from the printer context: released, never deleted.
    m_hDC = nullptr;
    m_hAttribDC = nullptr;
  }
}
