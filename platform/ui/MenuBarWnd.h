#pragma once
// The frame's menu bar, drawn as a strip of the menu's top-level entries along the frame's
// top edge. Pressing an entry opens its popup below it (the frame first gets WM_INITMENUPOPUP
// so that it can update the entries); a chosen command goes to the frame as WM_COMMAND.

#include <vector>

#include "platform/ui/Menu.h"
#include "platform/ui/Wnd.h"

class CMenuBarWnd : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  BOOL Create(CWnd* frame);
  void SetMenu(HMENU menu);
  // The menu's entries changed: measure and draw them again.
  void Refresh();
  int GetHeight() const;
  // The entry's rectangle in the bar, by position.
  CRect GetItemRect(int position) const;
  // Opens the entry's popup, or sends the entry's command; what a press on it does.
  void OpenItem(int position);

 private:
  void OnPaint();
  void OnLButtonDown(UINT flags, CPoint point);
  int HitTest(CPoint point) const;
  void LayoutItems() const;

  HMENU m_menu = nullptr;
  mutable std::vector<CRect> m_items;
  int m_open = -1;
};
