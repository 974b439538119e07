// Drag and drop, and the row and column orders it permutes: a header drag moves a column
// (its width with it), a row drag in virtual mode moves a row-order entry.

#include <algorithm>

#include "grid/org/CellGridOrg.h"

void CCellGridOrg::OnBeginDrag() {
  if (!m_dragAndDrop && m_draggedColumn < 0) return;
}

BOOL CCellGridOrg::MoveColumn(int from, int to) {
  if (from == to || from < m_fixedCols || to < m_fixedCols || from >= m_cols || to >= m_cols) return FALSE;
  const int stored = m_columnOrder[std::size_t(from)];
  m_columnOrder.erase(m_columnOrder.begin() + from);
  m_columnOrder.insert(m_columnOrder.begin() + to, stored);
  std::vector<int> widths;
  for (int c = 0; c < m_cols; ++c) widths.push_back(m_colWidths.Get(c));
  const int width = widths[std::size_t(from)];
  widths.erase(widths.begin() + from);
  widths.insert(widths.begin() + to, width);
  for (int c = 0; c < m_cols; ++c) m_colWidths.Set(c, widths[std::size_t(c)]);
  ForgetTopLeft();
  return TRUE;
}

BOOL CCellGridOrg::MoveRowOrderEntry(int from, int to) {
  const int count = int(m_rowOrder.size());
  if (from < 0 || from >= count || to < 0 || to >= count) return FALSE;
  // A row dropped on itself stays where it is.
  if (from == to) return TRUE;
  const int entry = m_rowOrder[std::size_t(from)];
  m_rowOrder.erase(m_rowOrder.begin() + from);
  const int at = to < from ? to + 1 : to;
  m_rowOrder.insert(m_rowOrder.begin() + std::min(at, count - 1), entry);
  return TRUE;
}

void CCellGridOrg::AdjustRowOrder(int row, int count) {
  if (!m_virtualMode || row < 0) return;
  // The order stays a permutation of the data rows: inserted data rows take the numbers from
  // `row` on and push the later ones up; a removed data row lets the later ones move down.
  if (count > 0) {
    if (row > int(m_rowOrder.size())) return;
    for (int& entry : m_rowOrder)
      if (entry >= row) entry += count;
    for (int i = 0; i < count; ++i) m_rowOrder.insert(m_rowOrder.begin() + row + i, row + i);
  } else {
    if (row >= int(m_rowOrder.size())) return;
    const int removed = m_rowOrder[std::size_t(row)];
    m_rowOrder.erase(m_rowOrder.begin() + row);
    for (int& entry : m_rowOrder)
      if (entry > removed) --entry;
  }
}
