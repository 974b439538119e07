#pragma once
// CCellGridDropTarget: the drop target of an extended grid. It takes the drag's steps only for
// its grid's own window and hands them to the grid's drag operations; it never scrolls, since
// the grid scrolls by itself while a drag passes over it.

#include "platform/ui/OleDropTarget.h"

class CCellGrid;

class CCellGridDropTarget : public COleDropTarget {
 public:
  // FALSE when registered already, while another grid's registration runs, or when the window
  // is not a grid; otherwise the result of the registration.
  BOOL Register(CWnd* window);
  void Revoke();
  BOOL IsRegistered() const { return m_registered; }

  DROPEFFECT OnDragEnter(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point) override;
  DROPEFFECT OnDragOver(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point) override;
  void OnDragLeave(CWnd* window) override;
  BOOL OnDrop(CWnd* window, COleDataObject* data, DROPEFFECT effect, CPoint point) override;
  // Copy with Control held, else move; none over another window.
  DROPEFFECT OnDragScroll(CWnd* window, DWORD keyState, CPoint point) override;

 private:
  bool IsGridWindow(const CWnd* window) const;

  CCellGrid* m_grid = nullptr;
  BOOL m_registered = FALSE;
};
