#include "toolkit/ColorStatic.h"

#include "platform/gdi/SystemInfo.h"
#include "platform/ui/UiCall.h"

// clang-format off
BEGIN_MESSAGE_MAP(CColorStatic, CStatic)
  .OnCtlColorReflect(&CColorStatic::CtlColor)
END_MESSAGE_MAP()
// clang-format on

CColorStatic::CColorStatic() : m_crBackground(GetSysColor(COLOR_BTNFACE)) {
  m_brush.CreateSolidBrush(m_crBackground);
}

void CColorStatic::SetTextColor(COLORREF color) {
  // The control reads the colour as it paints, on the user-interface thread; the status texts
  // also change colour from the dialogs' worker threads.
  CallOnUiThread([&] { m_crText = color; });
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

HBRUSH CColorStatic::CtlColor(CDC* dc, UINT) {
  dc->SetBkColor(m_crBackground);
  dc->SetTextColor(m_crText);
  return m_brush;
}
