#pragma once
// CStatic: a static text. It paints itself, asking its parent for colours and background
// brush with WM_CTLCOLORSTATIC, which the parent may reflect back to the control.

#include "platform/ui/Wnd.h"

class CStatic : public CWnd {
 public:
  CStatic();
  BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();
};
