#pragma once
// The mouse as both grids handle it alike: the cursors of the mouse modes, a move that extends
// the selection, the release of a press that only the mode decides, the inverted line of a
// border being dragged, the row or column of a border, and the selection timer's scrolls while
// the button is held outside the cells. The grids' own rules stay in their mouse sources.

#include <functional>

#include "grid/CellAddr.h"
#include "grid/GridItemInfo.h"
#include "grid/GridMouseMode.h"
#include "grid/GridSizeSums.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/Wnd.h"

// The timer that scrolls while a selection is dragged outside the cells.
constexpr UINT_PTR kSelectionTimerId = 513;

// Sets the cursor of the given shape.
void ShowCursorShape(LPCWSTR shape);

// Draws (or, drawn twice, erases) the 2-pixel inverted line across the client area at `at`: a
// vertical line while a column is sized, else a horizontal one.
void InvertSizingLine(CWnd& grid, const CRect& client, int at, bool column);

// The row or column whose trailing border lies under the pointer: the one at `index`, or the
// one before it when the pointer lies near its leading edge, passing hidden ones (size 0)
// towards the start.
int IndexBeforeBorder(const CGridSizeSums& sizes, int index, bool nearLeadingEdge);

// The selection timer's step, with the pointer where the last mouse message left it. Below the
// client area (or above the scrolled rows) a Down (Up) arrow key scrolls a row and the selection
// extends to the cell at the client area's bottom (below the fixed rows); then right of the
// client area (or left of the scrolled columns) a Right (Left) arrow key scrolls a column and the
// selection extends to the cell at that edge. `extendTo` takes the point whose cell it extends to.
void ScrollSelectionAtEdges(CWnd& grid, const CRect& client, const CSize& fixedSize,
                            const std::function<void(CPoint)>& extendTo);

// The grid lost the mouse capture to another window: the selection timer stops, and a drag that
// ran is over.
void EndMouseCapture(CWnd& grid, EGridMouseMode& mode);

// The cursor over the client area: the sizing arrows over a border, the drag's own during a
// drag, else what the cell under the pointer asks for (the arrow where there is none, and
// always in virtual mode).
template <class TGrid>
BOOL ShowGridCursor(TGrid& grid, EGridMouseMode mode) {
  switch (mode) {
    case kMouseOverRowBorder:
      ShowCursorShape(IDC_SIZENS);
      return TRUE;
    case kMouseOverColumnBorder:
      ShowCursorShape(IDC_SIZEWE);
      return TRUE;
    case kMouseDragging:
      return TRUE;
    default:
      break;
  }
  if (!grid.GetVirtualMode()) {
    const DWORD position = GetMessagePos();
    CPoint point(GET_X_LPARAM(position), GET_Y_LPARAM(position));
    grid.ScreenToClient(&point);
    const CCellAddr cell = grid.GetCellAtPoint(point, TRUE);
    if (auto* target = grid.GetCell(cell.row, cell.col)) return target->OnSetCursor();
  }
  ShowCursorShape(IDC_ARROW);
  return TRUE;
}

// A press on a scrolled cell starts selecting in the given mode (rows or cells): the selection
// goes to the cell and the selection timer starts; the result is the timer's id.
template <class TGrid>
UINT_PTR StartSelecting(TGrid& grid, EGridMouseMode& mode, EGridMouseMode selecting, const CCellAddr& cell,
                        int timerInterval) {
  mode = selecting;
  grid.SelectToCell(cell);
  return grid.SetTimer(kSelectionTimerId, UINT(timerInterval));
}

// A move with the button held while selecting columns, rows or cells: the cell under the pointer
// (fixed cells allowed) gets its mouse-over call, and the selection extends to it when it is not
// the focus cell, which then moves there (into the fixed area only while columns or rows are
// selected). False when no cell lies under the pointer.
template <class TGrid>
bool ExtendSelectionByMove(TGrid& grid, EGridMouseMode mode, CPoint point) {
  const CCellAddr cell = grid.GetCellAtPoint(point, TRUE);
  if (!grid.IsValid(cell)) return false;
  if (auto* target = grid.GetCell(cell.row, cell.col)) target->OnMouseOver();
  if (cell == grid.GetFocusCell()) return true;
  grid.SelectToCell(cell);
  const bool fixed = cell.row < grid.GetFixedRowCount() || cell.col < grid.GetFixedColumnCount();
  if (!fixed || mode == kMouseSelectColumns || mode == kMouseSelectRows)
    grid.SetFocusCell(cell.row, cell.col);
  return true;
}

// A move with the left button held, by the mode of the press: while selecting, the selection
// extends as above (false when no cell lies under the pointer); while sizing, `moveSizingLine`
// moves the inverted line; a press that waited for its release becomes a pending drag, which
// `beginDrag` starts at once.
template <class TGrid>
bool MoveWithButtonHeld(TGrid& grid, EGridMouseMode& mode, CPoint point,
                        const std::function<void()>& moveSizingLine, const std::function<void()>& beginDrag) {
  switch (mode) {
    case kMouseSelectColumns:
    case kMouseSelectRows:
    case kMouseSelectCells:
      return ExtendSelectionByMove(grid, mode, point);
    case kMouseSizingRow:
    case kMouseSizingColumn:
      moveSizingLine();
      return true;
    case kMouseEditOnRelease:
    case kMouseDragPending:
      // Any move starts the drag: the press on a selection was meant to carry it.
      mode = kMouseDragPending;
      beginDrag();
      return true;
    default:
      return true;
  }
}

// A key move of the focus selects as a press would, in the given selecting mode, between the
// notices -100 and -101 for the target cell; the mode is idle again afterwards.
template <class TGrid>
void SelectByKeyMove(TGrid& grid, EGridMouseMode& mode, EGridMouseMode selecting, const CCellAddr& target) {
  mode = selecting;
  grid.SendNotification(target.row, target.col, GRIDN_SELCHANGING);
  grid.SelectToCell(target);
  grid.SendNotification(target.row, target.col, GRIDN_SELCHANGED);
  mode = kMouseIdle;
}

// The release of the left button in the modes both grids end alike, with the focus cell (and
// its cell object, if any), the point relative to it and the pressed cell: a press on the focus
// cell's text starts its edit; a press on a selection that did not become a drag is a click on
// the focus cell (-2 and -100 for the pressed cell) that clears the selection (-101 for none); a
// sizing ends through `finishSizing`. False in the other modes, which each grid ends its own way.
template <class TGrid, class TCell>
bool FinishPressByMode(TGrid& grid, EGridMouseMode mode, const CCellAddr& focus, TCell* focusCell,
                       CPoint inFocus, const CCellAddr& pressed, const std::function<void()>& finishSizing) {
  switch (mode) {
    case kMouseEditOnRelease:
      grid.BeginCellEdit(focus.row, focus.col, inFocus, VK_LBUTTON);
      return true;
    case kMouseDragPending:
      if (focusCell) focusCell->OnClick(inFocus);
      grid.SendNotification(pressed.row, pressed.col, GRIDN_CLICK);
      grid.SendNotification(pressed.row, pressed.col, GRIDN_SELCHANGING);
      grid.ClearSelection();
      grid.SendNotification(-1, -1, GRIDN_SELCHANGED);
      return true;
    case kMouseSizingRow:
    case kMouseSizingColumn:
      finishSizing();
      return true;
    default:
      return false;
  }
}
