#include "grid/GridQuickSort.h"

bool GridQuickSort(CGridSortRows& rows, bool ascending, int low, int high) {
  if (low >= high) return false;
  rows.TakePivot((low + high) / 2);
  int i = high, j = low;
  while (i >= j) {
    if (ascending) {
      while (j < high && rows.CompareWithPivot(j) < 0) ++j;
      while (i > low && rows.CompareWithPivot(i) > 0) --i;
    } else {
      while (j < high && rows.CompareWithPivot(j) > 0) ++j;
      while (i > low && rows.CompareWithPivot(i) < 0) --i;
    }
    if (i < j) break;
    if (rows.CompareRows(j, i) != 0) rows.SwapRows(j, i);
    --i;
    ++j;
  }
  if (low < i) GridQuickSort(rows, ascending, low, i);
  if (j < high) GridQuickSort(rows, ascending, j, high);
  return true;
}
