#pragma once
// The device contexts of a window: CPaintDC for WM_PAINT (clipped to the invalid area, which
// it validates, erasing first when asked), CClientDC for drawing at any other time. Both draw
// into the window's backing image, which the screen then shows.

#include "platform/gdi/Dc.h"
#include "platform/ui/Wnd.h"

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  BOOL fErase = FALSE;
  RECT rcPaint{0, 0, 0, 0};
};

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* wnd);
  ~CPaintDC() override;

  PAINTSTRUCT m_ps;

 protected:
  HWND m_hWnd;
};

class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* wnd);
  ~CClientDC() override;

 protected:
  HWND m_hWnd;
};

// A context of the window's backing image (the screen when null: a context for measuring,
// whose drawing goes nowhere). Released with ReleaseDC, which shows what was drawn.
HDC GetDC(HWND wnd);
int ReleaseDC(HWND wnd, HDC dc);
