// Selection and focus. Besides each stored cell's selected bit the grid keeps the set of
// selected addresses, so that virtual mode can select without stored cells and the selected
// block is found from the set alone, never by visiting every cell.

#include <algorithm>
#include <memory>

#include "grid/org/CellBaseOrg.h"
#include "grid/org/CellGridOrg.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WaitCursor.h"

BOOL CCellGridOrg::SetCellState(int row, int col, UINT state) {
  const bool selected = IsCellSelected(row, col);
  if (!selected && (state & GCS_SELECTED))
    m_selected.insert({row, col});
  else if (selected && !(state & GCS_SELECTED))
    m_selected.erase({row, col});
  if (m_virtualMode) return FALSE;
  CCellBaseOrg* cell = StoredCell(row, col);
  if (!cell) return FALSE;
  cell->SetState(state);
  return TRUE;
}

UINT CCellGridOrg::CurrentState(int row, int col) const {
  if (m_virtualMode) return IsCellSelected(row, col) ? GCS_SELECTED : 0;
  const CCellBaseOrg* cell = StoredCell(row, col);
  return cell ? UINT(cell->GetState()) : 0;
}

BOOL CCellGridOrg::IsCellSelected(int row, int col) const {
  if (!m_selectionEnabled) return FALSE;
  if (m_virtualMode) return m_selected.count({row, col}) != 0;
  const CCellBaseOrg* cell = StoredCell(row, col);
  return cell && (cell->GetState() & GCS_SELECTED);
}

CCellBlock CCellGridOrg::GetSelectedCellRange() const {
  CCellBlock range(m_rows, m_cols, -1, -1);
  for (const auto& [r, c] : m_selected) {
    range.minRow = std::min(range.minRow, r);
    range.minCol = std::min(range.minCol, c);
    range.maxRow = std::max(range.maxRow, r);
    range.maxCol = std::max(range.maxCol, c);
  }
  return range;
}

void CCellGridOrg::DrawCellNow(int row, int col, CDC* dc, const CCellBlock& visible) {
  if (!visible.Contains(row, col)) return;
  if (dc)
    RedrawCell(row, col, dc);
  else
    InvalidateCellRect(row, col);
}

void CCellGridOrg::SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRepaint,
                                    BOOL select) {
  if (!m_selectionEnabled) return;
  CWaitCursorScope wait;
  std::unique_ptr<CClientDC> dc;
  if (forceRepaint && GetSafeHwnd()) dc = std::make_unique<CClientDC>(this);
  const CCellBlock visible = GetSafeHwnd() ? GetVisibleCellRange() : CCellBlock();
  const int firstCol = m_rowSelectionWithFixed ? 0 : m_fixedCols;
  if (minRow >= 0 && minRow < m_fixedRows) minRow = m_fixedRows;
  if (maxRow >= 0 && maxRow < m_fixedRows) maxRow = m_fixedRows;
  if (minCol >= 0 && minCol < firstCol) minCol = m_fixedCols;
  if (maxCol >= 0 && maxCol < firstCol) maxCol = m_fixedCols;
  const CCellBlock block(minRow, minCol, maxRow, maxCol);
  if (select) {
    const AddressSet before = m_selected;
    for (const auto& [r, c] : before) {
      if (!IsValid(r, c)) {
        m_selected.erase({r, c});
        continue;
      }
      SetCellState(r, c, CurrentState(r, c) & ~GCS_SELECTED);
      if (!block.Contains(r, c)) DrawCellNow(r, c, dc.get(), visible);
    }
    const bool cornersSet = minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0;
    if (!(m_listMode && m_singleRowSelection) && cornersSet) {
      for (const auto& [r, c] : m_previousSelection) {
        if (!IsValid(r, c)) continue;
        SetCellState(r, c, CurrentState(r, c) | GCS_SELECTED);
        DrawCellNow(r, c, dc.get(), visible);
      }
    }
  }
  if (!block.IsValid() || maxRow >= m_rows || maxCol >= m_cols) return;
  for (int r = minRow; r <= maxRow; ++r) {
    for (int c = minCol; c <= maxCol; ++c) {
      if (bool(IsCellSelected(r, c)) == bool(select)) continue;
      const UINT state = CurrentState(r, c);
      SetCellState(r, c, select ? state | GCS_SELECTED : state & ~GCS_SELECTED);
      DrawCellNow(r, c, dc.get(), visible);
    }
  }
}

void CCellGridOrg::ClearSelection() {
  m_previousSelection.clear();
  SetSelectedRange(-1, -1, -1, -1, FALSE, TRUE);
  SetFocusCell(-1, -1);
}

void CCellGridOrg::SelectAllCells() {
  if (m_selectionEnabled) SetSelectedRange(m_fixedRows, m_fixedCols, m_rows - 1, m_cols - 1, FALSE, TRUE);
}

void CCellGridOrg::SelectCells(CCellAddrOrg cell, BOOL forceRepaint, BOOL select) {
  if (!m_selectionEnabled || !IsValid(cell) || cell.row < m_fixedRows || cell.col < m_fixedCols) return;
  SetSelectedRange(std::min(m_selectionAnchor.row, cell.row), std::min(m_selectionAnchor.col, cell.col),
                   std::max(m_selectionAnchor.row, cell.row), std::max(m_selectionAnchor.col, cell.col),
                   forceRepaint, select);
}

void CCellGridOrg::SelectColumns(CCellAddrOrg cell, BOOL forceRepaint, BOOL select) {
  if (!m_selectionEnabled || !IsValid(cell) || cell.col < m_fixedCols) return;
  const int first = m_singleColSelection ? cell.col : std::min(m_selectionAnchor.col, cell.col);
  const int last = m_singleColSelection ? cell.col : std::max(m_selectionAnchor.col, cell.col);
  SetSelectedRange(m_fixedRows, first, m_rows - 1, last, forceRepaint, select);
}

void CCellGridOrg::SelectRows(CCellAddrOrg cell, BOOL forceRepaint, BOOL select) {
  if (!m_selectionEnabled || !IsValid(cell) || cell.row < m_fixedRows) return;
  const bool oneRow = m_listMode && m_singleRowSelection;
  const int first = oneRow ? cell.row : std::min(m_selectionAnchor.row, cell.row);
  const int last = oneRow ? cell.row : std::max(m_selectionAnchor.row, cell.row);
  SetSelectedRange(first, m_rowSelectionWithFixed ? 0 : m_fixedCols, last, m_cols - 1, forceRepaint, select);
}

void CCellGridOrg::SelectToCell(CCellAddrOrg cell) {
  if (!m_selectionEnabled) return;
  switch (m_mouseMode) {
    case kMouseSelectAll:
      SelectAllCells();
      break;
    case kMouseSelectColumns:
      SelectColumns(cell, FALSE, TRUE);
      break;
    case kMouseSelectRows:
      SelectRows(cell, FALSE, TRUE);
      break;
    case kMouseSelectCells:
      SelectCells(cell, FALSE, TRUE);
      break;
    default:
      break;
  }
}

void CCellGridOrg::RedrawHeadersOf(int row, int col, bool rowChanged, bool colChanged) {
  if (!m_highlightFocusHeaders) return;
  if (colChanged && col >= 0)
    for (int r = 0; r < m_fixedRows; ++r) InvalidateCellRect(r, col);
  if (rowChanged && row >= 0)
    for (int c = 0; c < m_fixedCols; ++c) InvalidateCellRect(row, c);
}

CCellAddrOrg CCellGridOrg::SetFocusCell(int row, int col) {
  const CCellAddrOrg old = m_focusCell;
  if (old == CCellAddrOrg(row, col)) return old;
  if (row != -1 && row < m_fixedRows) row = m_fixedRows;
  if (col != -1 && col < m_fixedCols) col = m_fixedCols;
  const bool rowChanged = row != old.row;
  const bool colChanged = col != old.col;
  if (IsValid(old)) {
    SetCellState(old.row, old.col, CurrentState(old.row, old.col) & ~GCS_FOCUSED);
    InvalidateCellRect(old.row, old.col);
    RedrawHeadersOf(old.row, old.col, rowChanged, colChanged);
  }
  m_focusCell = CCellAddrOrg(row, col);
  if (IsValid(m_focusCell)) {
    SetCellState(row, col, CurrentState(row, col) | GCS_FOCUSED);
    InvalidateCellRect(row, col);
    RedrawHeadersOf(row, col, rowChanged, colChanged);
  }
  return old;
}
