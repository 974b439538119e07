#include "grid/GridMouse.h"

#include <algorithm>

#include "platform/ui/PaintDC.h"

void ShowCursorShape(LPCWSTR shape) { SetCursor(LoadCursor(nullptr, shape)); }

void InvertSizingLine(CWnd& grid, const CRect& client, int at, bool column) {
  CClientDC dc(&grid);
  const CRect line = column ? CRect(at, 0, at + 2, client.bottom) : CRect(0, at, client.right, at + 2);
  dc.InvertRect(line);
}

int IndexBeforeBorder(const CGridSizeSums& sizes, int index, bool nearLeadingEdge) {
  if (nearLeadingEdge) --index;
  while (index > 0 && sizes.Get(index) == 0) --index;
  return index;
}

void EndMouseCapture(CWnd& grid, EGridMouseMode& mode) {
  grid.KillTimer(kSelectionTimerId);
  if (mode == kMouseDragging) mode = kMouseIdle;
}

void ScrollSelectionAtEdges(CWnd& grid, const CRect& client, const CSize& fixedSize,
                            const std::function<void(CPoint)>& extendTo) {
  CPoint point;
  if (!GetCursorPos(&point)) return;
  grid.ScreenToClient(&point);
  int x = std::clamp<int>(point.x, 0, client.right);
  if (point.y > client.bottom) {
    grid.SendMessage(WM_KEYDOWN, VK_DOWN);
    extendTo(CPoint(x, client.bottom));
  } else if (point.y < fixedSize.cy) {
    grid.SendMessage(WM_KEYDOWN, VK_UP);
    extendTo(CPoint(x, fixedSize.cy + 1));
  }
  if (point.x > client.right) {
    grid.SendMessage(WM_KEYDOWN, VK_RIGHT);
    x = client.right;
  } else if (point.x < fixedSize.cx) {
    grid.SendMessage(WM_KEYDOWN, VK_LEFT);
    x = fixedSize.cx + 1;
  } else {
    return;
  }
  extendTo(CPoint(x, std::clamp<int>(point.y, 0, client.bottom)));
}
