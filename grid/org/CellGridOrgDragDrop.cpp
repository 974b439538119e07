// Drag and drop, and the row and column orders it permutes: a header drag moves a column
// (its width with it), a row drag in virtual mode moves a row-order entry.

#include <algorithm>
#include <memory>

#include "grid/GridDragDrop.h"
#include "grid/org/CellBaseOrg.h"
#include "grid/org/CellGridOrg.h"
#include "platform/ui/OleDataSource.h"

void CCellGridOrg::OnBeginDrag() {
  if (!m_dragAndDrop && m_draggedColumn < 0) return;
  // A header drag carries no data: the drop only reorders the columns.
  std::unique_ptr<COleDataSource> source =
      m_draggedColumn >= 0 ? std::make_unique<COleDataSource>() : CopyToDataSource();
  if (!source) return;
  const DROPEFFECT effect = RunOwnDrag(*this, m_mouseMode, m_leftButtonDown, *source);
  m_mouseMode = kMouseIdle;
  if (effect == DROPEFFECT_MOVE) ClearSelectedCells();
}

bool CCellGridOrg::RowDropsMoveRows() const {
  // Only virtual mode keeps a row order; elsewhere a row drop pastes as with moving off.
  return m_rowDragMovesRows && m_virtualMode;
}

void CCellGridOrg::SetDropHighlight(const CCellAddrOrg& cell, bool on) {
  if (!IsValid(cell)) return;
  const UINT state = CurrentState(cell.row, cell.col);
  SetCellState(cell.row, cell.col, on ? state | GCS_DROPHILITED : state & ~GCS_DROPHILITED);
  RedrawCell(cell.row, cell.col);
}

bool CCellGridOrg::TakesTextAt(COleDataObject* data, const CCellAddrOrg& cell) const {
  const CCellBaseOrg* target = GetCell(cell.row, cell.col);
  return m_dragAndDrop && m_editable && data && data->IsDataAvailable(CF_TEXT) && target && !target->IsReadOnly();
}

DROPEFFECT CCellGridOrg::OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point) {
  const bool column = m_draggedColumn >= 0;
  m_dragOverCell = GetCellAtPoint(point, column);
  if (column) {
    if (m_dragOverCell.row < m_fixedRows && m_dragOverCell.col >= m_fixedCols) SetDropHighlight(m_dragOverCell, true);
    return DragEffectForKeys(keyState);
  }
  if (!TakesTextAt(data, m_dragOverCell)) return DROPEFFECT_NONE;
  SetDropHighlight(m_dragOverCell, true);
  return DragEffectForKeys(keyState);
}

DROPEFFECT CCellGridOrg::OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) {
  const CCellAddrOrg cell = GetCellAtPoint(point, FALSE);
  bool accepted;
  if (m_draggedColumn >= 0)
    accepted = cell.col >= m_fixedCols && cell.col < m_cols && cell.row < m_fixedRows;
  else if (RowDropsMoveRows())
    accepted = IsValid(cell) && cell.row >= m_fixedRows && cell.col >= m_fixedCols;
  else
    accepted = TakesTextAt(data, cell);
  const auto leave = [this] { OnDragLeave(); };
  const auto show = [this](const CCellAddrOrg& target, bool on) { SetDropHighlight(target, on); };
  return FollowDrag(m_dragOverCell, cell, accepted, keyState, leave, show);
}

void CCellGridOrg::OnDragLeave() { SetDropHighlight(m_dragOverCell, false); }

BOOL CCellGridOrg::OnDrop(COleDataObject* data, DROPEFFECT, CPoint) {
  m_mouseMode = kMouseIdle;
  const CCellAddrOrg target = m_dragOverCell;
  if (m_draggedColumn >= 0) {
    OnDragLeave();
    if (target.row >= m_fixedRows || !MoveColumn(m_draggedColumn, target.col)) return FALSE;
    m_draggedColumn = -1;
    Invalidate();
    return TRUE;
  }
  if (!m_dragAndDrop) return FALSE;
  const bool movesRows = RowDropsMoveRows();
  const CCellBaseOrg* cell = GetCell(target.row, target.col);
  if (!movesRows && (!m_editable || !cell || cell->IsReadOnly())) return FALSE;
  OnDragLeave();
  if (!movesRows) return PasteFromDataObject(target.row, target.col, data, FALSE);
  MoveRowOrderEntry(m_dragSourceRow, target.row);
  Invalidate();
  return TRUE;
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
