#pragma once
// CLogo: the clickable maker logo at the right end of the main window's tool-bar row, an
// owner-drawn bitmap button in the frame's top dock bar. It shows a hand cursor and a tooltip,
// keeps itself right-aligned in the dock bar, hides itself when the tool bar would run into
// it, and reports a press to the main window with the registered message "OnLogoClick".

#include "platform/ui/BitmapButton.h"
#include "platform/ui/DockBar.h"

class CLogo : public CBitmapButton {
  DECLARE_MESSAGE_MAP()

 public:
  CLogo();

  // Right-aligns the button in its dock bar and shows it only while the last docked bar ends
  // left of it. The main frame calls it on every paint.
  virtual void Reposition();
  // The parent when it is a dock bar, else null.
  virtual CDockBar* GetDockBar() const;

  // The tip is the text of the string resource with the button's id, after its first line
  // break when it has one (the part before is the status-bar prompt).
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override;

 private:
  int OnCreate(LPCREATESTRUCT create);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnMouseLeave();
  BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
};
