#pragma once
// CCellTipOrg: the title tip of the second grid, a small pop-up that shows a cell's whole text
// over the cell when the text does not fit. While shown it holds the mouse capture and passes
// presses and moves on to the window underneath, so that the cell below still gets its clicks.

#include "platform/base/String.h"
#include "platform/gdi/Font.h"
#include "platform/ui/Wnd.h"

class CCellTipOrg : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  CCellTipOrg();
  ~CCellTipOrg() override = default;

  BOOL Create(CWnd* parent);
  // The window the tip belongs to; set when the grid takes over its control.
  void SetParentWindow(CWnd* parent) { m_parentWnd = parent; }
  // rect: the text rectangle in the parent's client coordinates; hover: where the pointer may
  // stay (none: the text rectangle); font none: the parent's font; colours CLR_DEFAULT: the
  // tip's own.
  void ShowTip(const CRect& rect, const CString& text, int offset, const CRect* hover, const LOGFONT* font,
               COLORREF textColor, COLORREF backColor);
  void HideTip();
  BOOL DestroyWindow() override;
  BOOL PreTranslateMessage(MSG* msg) override;

  // What the tip shows, for callers that look at it.
  CString GetShownText() const { return m_shownText; }

 protected:
  void OnMouseMove(UINT flags, CPoint point);
  void OnPaint();

 private:
  // Hands a mouse message at the tip's client point to the window under it.
  void PassOn(UINT message, WPARAM wParam, CPoint point);

  CWnd* m_parentWnd = nullptr;
  CRect m_hoverRect;
  DWORD m_lastClickTime = 0xFFFFFFFF;  // none yet
  UINT m_doubleClickTime;
  BOOL m_created = FALSE;
  CString m_shownText;
  CFont m_font;
  COLORREF m_textColor = CLR_DEFAULT;
  COLORREF m_backColor = CLR_DEFAULT;
};
