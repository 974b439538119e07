#pragma once

// Sorts rows low..high of a table in place by the grid's quicksort. The table is reached only
// through these calls, so every grid that keeps rows can share the one algorithm (and the
// order it leaves equal keys in).
class CGridSortRows {
 public:
  virtual ~CGridSortRows() = default;
  // Remembers the key of the row as the pivot; it keeps that key while rows move.
  virtual void TakePivot(int row) = 0;
  // Negative when the row sorts before the pivot, 0 when equal, positive otherwise.
  virtual int CompareWithPivot(int row) = 0;
  virtual int CompareRows(int first, int second) = 0;
  virtual void SwapRows(int first, int second) = 0;
};

// FALSE when low >= high; otherwise sorts and gives TRUE.
bool GridQuickSort(CGridSortRows& rows, bool ascending, int low, int high);
