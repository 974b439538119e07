#include <algorithm>

#include "grid/CellBase.h"
#include "grid/CellGrid.h"
#include "grid/GridQuickSort.h"
#include "platform/ui/WaitCursor.h"

// The rows of a grid for the quicksort: keys are the cells of one column, and a swap moves
// every cell object of the two rows (each told its new address) and their heights.
class CCellGrid::SortRows : public CGridSortRows {
 public:
  SortRows(CCellGrid& grid, CellCompareFunction compare, int col, LPARAM data)
      : m_grid(grid), m_compare(compare), m_col(col), m_data(data) {}

  void TakePivot(int row) override { m_pivot = m_grid.GetCell(row, m_col); }
  int CompareWithPivot(int row) override { return m_compare(m_grid.GetCell(row, m_col), m_pivot, m_data); }
  int CompareRows(int first, int second) override {
    return m_compare(m_grid.GetCell(first, m_col), m_grid.GetCell(second, m_col), m_data);
  }
  void SwapRows(int first, int second) override {
    // The selected cells move with their rows, so a selected block may no longer be whole.
    m_grid.m_markedBlock = CCellBlock();
    CellRow& a = m_grid.m_cells[std::size_t(first)];
    CellRow& b = m_grid.m_cells[std::size_t(second)];
    a.swap(b);
    for (int c = 0; c < m_grid.m_cols; ++c) {
      if (a[std::size_t(c)]) a[std::size_t(c)]->SetCoords(first, c);
      if (b[std::size_t(c)]) b[std::size_t(c)]->SetCoords(second, c);
    }
    const int height = m_grid.m_rowHeights.Get(first);
    m_grid.m_rowHeights.Set(first, m_grid.m_rowHeights.Get(second));
    m_grid.m_rowHeights.Set(second, height);
  }

 private:
  CCellGrid& m_grid;
  CellCompareFunction m_compare;
  int m_col;
  LPARAM m_data;
  CCellBase* m_pivot = nullptr;
};

void CCellGrid::MarkSortColumn(int col, BOOL ascending) {
  SetSortColumn(col);
  m_sortAscending = ascending;
  SetFocusCell(-1, -1);
}

BOOL CCellGrid::SortByColumn(int col, BOOL ascending) {
  return SortWithCallback(m_sortCallback ? m_sortCallback : &CCellGrid::CompareCellsText, col, ascending, 0);
}

BOOL CCellGrid::SortWithCallback(CellCompareFunction compare, int col, BOOL ascending, LPARAM data) {
  // The display cell of virtual mode stands for every row, so there is nothing to reorder.
  if (m_virtualMode) return FALSE;
  // The rows move: an open editor reports its text first, into the cell it was opened on.
  StopEditing();
  MarkSortColumn(col, ascending);
  const BOOL sorted = SortRange(compare, col, ascending, data, m_fixedRows, -1);
  GetSelectedCellRange();
  return sorted;
}

BOOL CCellGrid::SortRange(CellCompareFunction compare, int col, BOOL ascending, LPARAM data, int low,
                          int high) {
  if (m_virtualMode || !compare || col < 0 || col >= m_cols) return FALSE;
  StopEditing();
  if (high == -1) high = m_rows - 1;
  if (low < 0 || high >= m_rows) return FALSE;
  SortRows rows(*this, compare, col, data);
  return GridQuickSort(rows, ascending != FALSE, low, high);
}

int CCellGrid::CompareCellsText(CCellBase* first, CCellBase* second, LPARAM) {
  if (!first || !second) return 0;
  const CString a = first->GetText();
  const CString b = second->GetText();
  const int common = std::min(a.GetLength(), b.GetLength());
  for (int i = 0; i < common; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  if (a.GetLength() == b.GetLength()) return 0;
  return a.GetLength() < b.GetLength() ? -1 : 1;
}

void CCellGrid::HandleFixedRowClick(CCellAddr cell) {
  if (!IsValid(cell)) return;
  if (m_headerSort) {
    CWaitCursorScope wait;
    SortByColumn(cell.col, !(cell.col == m_sortColumn && m_sortAscending));
    Invalidate();
  }
  if (m_fixedRowClickSelectsCols) {
    m_mouseMode = cell.col < m_fixedCols ? kMouseSelectAll : kMouseSelectColumns;
    SelectToCell(cell);
  }
}
