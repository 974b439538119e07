// Sorting by a column with a compare callback: the stored rows move (cells and heights), or in
// virtual mode the row order is sorted.

#include <algorithm>
#include <climits>

#include "grid/GridQuickSort.h"
#include "grid/org/CellBaseOrg.h"
#include "grid/org/CellGridOrg.h"

// The grid's rows as the shared quicksort sees them: one column compared, whole rows swapped.
class CCellGridOrg::SortRows : public CGridSortRows {
 public:
  SortRows(CCellGridOrg& grid, OrgCellCompareFunction compare, int col, LPARAM data)
      : m_grid(grid), m_compare(compare), m_col(col), m_data(data) {}

  void TakePivot(int row) override { m_pivot = m_grid.GetCell(row, m_col); }
  int CompareWithPivot(int row) override { return Compare(m_grid.GetCell(row, m_col), m_pivot); }
  int CompareRows(int first, int second) override {
    return Compare(m_grid.GetCell(first, m_col), m_grid.GetCell(second, m_col));
  }
  void SwapRows(int first, int second) override {
    std::swap(m_grid.m_cells[std::size_t(first)], m_grid.m_cells[std::size_t(second)]);
    const int height = m_grid.m_rowHeights.Get(first);
    m_grid.m_rowHeights.Set(first, m_grid.m_rowHeights.Get(second));
    m_grid.m_rowHeights.Set(second, height);
  }

 private:
  int Compare(CCellBaseOrg* first, CCellBaseOrg* second) const {
    return m_compare(LPARAM(first), LPARAM(second), m_data);
  }

  CCellGridOrg& m_grid;
  OrgCellCompareFunction m_compare;
  int m_col;
  LPARAM m_data;
  CCellBaseOrg* m_pivot = nullptr;
};

void CCellGridOrg::MarkSortColumn(int col, BOOL ascending) {
  if (m_sortColumn >= 0) InvalidateCellRect(0, m_sortColumn);
  InvalidateCellRect(0, col);
  m_sortColumn = col;
  m_sortAscending = ascending;
  ClearSelection();
}

BOOL CCellGridOrg::SortByColumn(int col, BOOL ascending, LPARAM data) {
  MarkSortColumn(col, ascending);
  return SortWithCallback(m_sortCallback ? m_sortCallback : &CCellGridOrg::CompareCellsText, col, ascending, data);
}

BOOL CCellGridOrg::SortWithCallback(OrgCellCompareFunction compare, int col, BOOL ascending, LPARAM data) {
  MarkSortColumn(col, ascending);
  return SortRange(compare, col, ascending, data, m_fixedRows, -1);
}

BOOL CCellGridOrg::SortRange(OrgCellCompareFunction compare, int col, BOOL ascending, LPARAM data, int low,
                             int high) {
  if (col < 0 || col >= m_cols || !compare) return FALSE;
  if (high == -1) high = m_rows - 1;
  if (high <= low) return FALSE;
  if (m_virtualMode) {
    // Without a predicate there is no order to sort by: the rows stay as they are.
    if (!m_rowOrderPredicate) return FALSE;
    m_draggedColumn = m_columnOrder[std::size_t(col)];
    const OrgRowOrderPredicate before = m_rowOrderPredicate;
    const auto first = m_rowOrder.begin() + std::min<std::ptrdiff_t>(m_fixedRows, std::ptrdiff_t(m_rowOrder.size()));
    if (ascending)
      std::stable_sort(first, m_rowOrder.end(), before);
    else
      std::stable_sort(first, m_rowOrder.end(), [before](int a, int b) { return before(b, a); });
    return TRUE;
  }
  SortRows rows(*this, compare, col, data);
  GridQuickSort(rows, ascending != FALSE, low, high);
  return TRUE;
}

int CCellGridOrg::CompareCellsText(LPARAM first, LPARAM second, LPARAM) {
  const auto* a = reinterpret_cast<const CCellBaseOrg*>(first);
  const auto* b = reinterpret_cast<const CCellBaseOrg*>(second);
  if (!a || !b) return 0;
  const CString left = a->GetText();
  const CString right = b->GetText();
  const int count = std::min(left.GetLength(), right.GetLength());
  for (int i = 0; i < count; ++i) {
    if (left[i] != right[i]) return std::uint16_t(left[i]) < std::uint16_t(right[i]) ? -1 : 1;
  }
  if (left.GetLength() == right.GetLength()) return 0;
  return left.GetLength() < right.GetLength() ? -1 : 1;
}

namespace {

// The text's leading decimal integer (white space and a sign may stand before it; 0 without
// digits). Numbers too long for 64 bits stop at the largest value of their sign rather than
// wrapping, so that they still sort after (or before) every shorter number.
long long LeadingInteger(const CString& text) {
  int i = 0;
  const int length = text.GetLength();
  while (i < length && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) ++i;
  bool negative = false;
  if (i < length && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  long long value = 0;
  for (; i < length && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    const int digit = text[i] - u'0';
    if (value > (LLONG_MAX - digit) / 10) return negative ? LLONG_MIN : LLONG_MAX;
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

}  // namespace

int CCellGridOrg::CompareCellsNumeric(LPARAM first, LPARAM second, LPARAM) {
  const auto* a = reinterpret_cast<const CCellBaseOrg*>(first);
  const auto* b = reinterpret_cast<const CCellBaseOrg*>(second);
  if (!a || !b) return 0;
  const long long left = LeadingInteger(a->GetText());
  const long long right = LeadingInteger(b->GetText());
  return left < right ? -1 : left > right ? 1 : 0;
}
