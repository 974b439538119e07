#include "toolkit/ColorStatic.h"

#include "platform/gdi/SystemInfo.h"

// clang-format off
BEGIN_MESSAGE_MAP(CColorStatic, CStatic)
  .OnCtlColorReflect(&CColorStatic::CtlColor)
END_MESSAGE_MAP()
// clang-format on

CColorStatic::CColorStatic() : m_crBackground(GetSysColor(COLOR_BTNFACE)) {
  m_brush.CreateSolidBrush(m_crBackground);
}

void CColorStatic::SetTextColor(COLORREF color) {
  m_crText = color;
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

HBRUSH CColorStatic::CtlColor(CDC* dc, UINT) {
  dc->SetBkColor(m_crBackground);
  dc->SetTextColor(m_crText);
  return m_brush;
}
