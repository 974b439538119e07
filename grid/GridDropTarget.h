#pragma once
// The drop target of a grid, for both grids: it takes the drag's steps only for its own grid's
// window and hands them to the grid's drag operations; it never scrolls, since the grid scrolls
// by itself while a drag passes over it. Grid is the grid class (CCellGrid or CCellGridOrg).

#include "grid/GridDragDrop.h"
#include "platform/ui/OleDropTarget.h"
#include "platform/ui/Wnd.h"

template <class Grid>
class CGridDropTarget : public COleDropTarget {
 public:
  // FALSE when registered already, while a registration of this kind of grid runs, or when the
  // window is not such a grid; otherwise the result of the registration.
  BOOL Register(CWnd* window) {
    // One guard for every grid of the kind, so that a registration reached again from its own
    // message handling fails.
    static bool registering = false;
    if (m_registered || registering || !window) return FALSE;
    auto* grid = dynamic_cast<Grid*>(window);
    if (!grid) return FALSE;
    registering = true;
    m_grid = grid;
    m_registered = COleDropTarget::Register(window);
    registering = false;
    return m_registered;
  }
  void Revoke() {
    m_registered = FALSE;
    COleDropTarget::Revoke();
  }
  BOOL IsRegistered() const { return m_registered; }

  DROPEFFECT OnDragEnter(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point) override {
    return IsGridWindow(window) ? m_grid->OnDragEnter(data, keyState, point) : DROPEFFECT_NONE;
  }
  DROPEFFECT OnDragOver(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point) override {
    return IsGridWindow(window) ? m_grid->OnDragOver(data, keyState, point) : DROPEFFECT_NONE;
  }
  void OnDragLeave(CWnd* window) override {
    if (IsGridWindow(window)) m_grid->OnDragLeave();
  }
  BOOL OnDrop(CWnd* window, COleDataObject* data, DROPEFFECT effect, CPoint point) override {
    return IsGridWindow(window) ? m_grid->OnDrop(data, effect, point) : FALSE;
  }
  // Copy with Control held, else move; none over another window.
  DROPEFFECT OnDragScroll(CWnd* window, DWORD keyState, CPoint) override {
    return IsGridWindow(window) ? DragEffectForKeys(keyState) : DROPEFFECT_NONE;
  }

 private:
  bool IsGridWindow(const CWnd* window) const {
    return m_grid && window && window->GetSafeHwnd() == m_grid->GetSafeHwnd();
  }

  Grid* m_grid = nullptr;
  BOOL m_registered = FALSE;
};
