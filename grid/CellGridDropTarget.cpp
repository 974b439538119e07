#include "grid/CellGridDropTarget.h"

#include "grid/CellGrid.h"

namespace {

// A registration under way, so that one reached again from its own message handling fails.
bool g_registering = false;

}  // namespace

BOOL CCellGridDropTarget::Register(CWnd* window) {
  if (m_registered || g_registering || !window) return FALSE;
  auto* grid = dynamic_cast<CCellGrid*>(window);
  if (!grid) return FALSE;
  g_registering = true;
  m_grid = grid;
  m_registered = COleDropTarget::Register(window);
  g_registering = false;
  return m_registered;
}

void CCellGridDropTarget::Revoke() {
  m_registered = FALSE;
  COleDropTarget::Revoke();
}

bool CCellGridDropTarget::IsGridWindow(const CWnd* window) const {
  return m_grid && window && window->GetSafeHwnd() == m_grid->GetSafeHwnd();
}

DROPEFFECT CCellGridDropTarget::OnDragEnter(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point) {
  return IsGridWindow(window) ? m_grid->OnDragEnter(data, keyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT CCellGridDropTarget::OnDragOver(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point) {
  return IsGridWindow(window) ? m_grid->OnDragOver(data, keyState, point) : DROPEFFECT_NONE;
}

void CCellGridDropTarget::OnDragLeave(CWnd* window) {
  if (IsGridWindow(window)) m_grid->OnDragLeave();
}

BOOL CCellGridDropTarget::OnDrop(CWnd* window, COleDataObject* data, DROPEFFECT effect, CPoint point) {
  return IsGridWindow(window) ? m_grid->OnDrop(data, effect, point) : FALSE;
}

DROPEFFECT CCellGridDropTarget::OnDragScroll(CWnd* window, DWORD keyState, CPoint) {
  if (!IsGridWindow(window)) return DROPEFFECT_NONE;
  return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
