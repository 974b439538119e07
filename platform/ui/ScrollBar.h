#pragma once
// CScrollBar: a scroll-bar control. Like a window's own bars it keeps the platform's clamping
// (the position stays within nMin .. nMax - nPage + 1) and leaves the position to its parent:
// a user's action sends WM_HSCROLL or WM_VSCROLL with the control in lParam, and the parent
// sets the new position.

#include "platform/ui/Wnd.h"

constexpr DWORD SBS_HORZ = 0x0000;
constexpr DWORD SBS_VERT = 0x0001;

class CScrollBar : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  BOOL SetScrollInfo(LPSCROLLINFO info, BOOL redraw = TRUE);
  int SetScrollPos(int pos, BOOL redraw = TRUE);
  int GetScrollPos() const;
  int GetScrollLimit() const;

 protected:
  std::unique_ptr<WndWidget> CreateWidget(CWnd* parent) override;

 private:
  void OnAction(int action);
  void OnReleased();
  void ShowInfo();

  SCROLLINFO m_info;
  bool m_dragging = false;
};
