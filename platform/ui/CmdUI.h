#pragma once
// Command user-interface updates: before a menu opens, and while the program idles for the
// tool bar, every command shown is offered to the command targets (the active view, then the
// frame) through their update handlers (OnUpdateCommandUI in the message map), which enable,
// check or name the entry. A command nobody handles is shown disabled.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

class CMenu;
class CToolBar;
class CWnd;

class CCmdUI {
 public:
  virtual ~CCmdUI() = default;

  UINT m_nID = 0;
  UINT m_nIndex = 0;
  // The menu holding the entry, or the tool bar holding the button; the other is null.
  CMenu* m_pMenu = nullptr;
  CToolBar* m_pToolBar = nullptr;
  bool m_bEnableChanged = false;

  virtual void Enable(BOOL on = TRUE);
  virtual void SetCheck(int check = 1);
  virtual void SetText(LPCTSTR text);

  // Offers the entry to the target's update handler, else to its command handler (an entry
  // with a command handler stays enabled). False when the target has neither.
  bool DoUpdate(CWnd* target);
};
