#pragma once
// CButton: push buttons, check boxes, radio buttons and group boxes over the toolkit's
// buttons; a click sends WM_COMMAND with BN_CLICKED to the parent. An owner-drawn button
// (BS_OWNERDRAW) has no toolkit button: it keeps its own pressed state and has its owner draw
// it (WM_DRAWITEM, which the parent reflects back to DrawItem).

#include "platform/ui/OwnerDraw.h"
#include "platform/ui/Wnd.h"

class CButton : public CWnd {
 public:
  BOOL Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int GetCheck() const;
  void SetCheck(int check);
  UINT GetState() const;
  // For owner-drawn buttons: draws the item; the base draws nothing.
  virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);

  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 protected:
  std::unique_ptr<WndWidget> CreateWidget(CWnd* parent) override;
  bool IsOwnerDrawn() const { return (GetStyle() & BS_TYPEMASK) == BS_OWNERDRAW; }

 private:
  LRESULT OwnerDrawnDefault(UINT message, WPARAM wParam, LPARAM lParam);
  void PaintOwnerDrawn();
  void NotifyClicked();
  void ClearOtherAutoRadioButtons();

  bool m_pushed = false;    // owner-drawn: shown pressed
  bool m_tracking = false;  // owner-drawn: left button went down on it
};
