#pragma once
// What the mouse is doing in a grid, the same in both grids. A press starts a mode, moves act
// by it and the release (or the end of a drag) brings the grid back to idle. The numbers are
// the modes' own, counted from 0 with 5 left out.

enum EGridMouseMode : int {
  kMouseIdle,
  // Extending the selection from the press: all cells, whole columns, whole rows, a block.
  kMouseSelectAll,
  kMouseSelectColumns,
  kMouseSelectRows,
  kMouseSelectCells,
  // The pointer over a row border in the fixed columns, and that border being dragged; then the
  // same for a column border in the fixed rows.
  kMouseOverRowBorder = 6,
  kMouseSizingRow,
  kMouseOverColumnBorder,
  kMouseSizingColumn,
  // A press on the focus cell's text: the release starts its edit, a move a drag.
  kMouseEditOnRelease,
  // A press that a move turns into a drag.
  kMouseDragPending,
  // The grid's own drag runs.
  kMouseDragging
};
