#pragma once
// CColorStatic: a static text whose text colour changes at run time (status texts of the
// calibration and Live View dialogs). It answers the control-colour message its parent
// reflects back with its own colours and background brush.

#include "platform/gdi/Brush.h"
#include "platform/ui/Static.h"

class CColorStatic : public CStatic {
  DECLARE_MESSAGE_MAP()

 public:
  CColorStatic();
  // Stores the colour and repaints at once, also while the dialog is busy.
  void SetTextColor(COLORREF color);

  CBrush m_brush;
  COLORREF m_crBackground;
  COLORREF m_crText = RGB(0, 0, 0);

 private:
  HBRUSH CtlColor(CDC* dc, UINT ctlColor);
};
