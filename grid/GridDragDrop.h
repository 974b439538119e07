#pragma once
// Drag and drop as both grids handle it alike: the effect of the keys held, the grid's own drag
// of its selected block, and the drop highlight that follows a drag over the cells.

#include <functional>

#include "grid/CellAddr.h"
#include "grid/CellBlock.h"
#include "grid/GridItemInfo.h"
#include "grid/GridMouseMode.h"
#include "platform/ui/OleDataSource.h"

// Copy with Control held, else move.
inline DROPEFFECT DragEffectForKeys(DWORD keyState) {
  return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

// A drag moved over `cell`. Where the cell takes the drop, the highlight moves there from the
// cell it was on (`show` turns a cell's highlight on or off) and the result is the effect of the
// keys; elsewhere the drag leaves the cells (`leave`), none stays highlighted and nothing drops.
DROPEFFECT FollowDrag(CCellAddr& highlighted, const CCellAddr& cell, bool takesDrop, DWORD keyState,
                      const std::function<void()>& leave,
                      const std::function<void(const CCellAddr&, bool)>& show);

// Runs the grid's own drag of the data: -109 with the selected block's top-left cell, mouse mode
// 12, and the button taken over by the drag, whose release ends the drag, not a selection. The
// result is the drag's outcome.
template <class TGrid>
DROPEFFECT RunOwnDrag(TGrid& grid, EGridMouseMode& mode, BOOL& leftButtonDown, COleDataSource& source) {
  const CCellBlock range = grid.GetSelectedCellRange();
  grid.SendNotification(range.minRow, range.minCol, GRIDN_BEGINDRAG);
  mode = kMouseDragging;
  leftButtonDown = FALSE;
  return source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
}
