// Selection and focus. Stored cells carry the selected bit themselves; in virtual mode the grid
// keeps the selected addresses, so that selection works the same without stored cells.

#include <algorithm>
#include <climits>
#include <memory>

#include "grid/CellBase.h"
#include "grid/CellGrid.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/PaintDC.h"

namespace {

int Grow(int bound, int value, bool lower) {
  if (bound == -1) return value;
  return lower ? std::min(bound, value) : std::max(bound, value);
}

}  // namespace

UINT CCellGrid::StoredState(int row, int col) const {
  if (m_virtualMode) return 0;
  const CCellBase* cell = GetCell(row, col);
  return cell ? UINT(cell->GetState()) : 0;
}

UINT CCellGrid::StateWithSelection(int row, int col) const {
  if (m_virtualMode) return m_virtualSelected.count({row, col}) != 0 ? GCS_SELECTED : 0;
  return StoredState(row, col);
}

bool CCellGrid::HasSelectedBit(int row, int col) const {
  return (StateWithSelection(row, col) & GCS_SELECTED) != 0;
}

BOOL CCellGrid::SetCellState(int row, int col, UINT state) {
  if (!IsValid(row, col)) return FALSE;
  const bool had = HasSelectedBit(row, col);
  if (m_selectionEnabled && had && !(state & GCS_SELECTED)) {
    m_selectedCount = std::max(0, m_selectedCount - 1);
  } else if ((!had || !m_selectionEnabled) && (state & GCS_SELECTED)) {
    ++m_selectedCount;
    m_selMinRow = Grow(m_selMinRow, row, true);
    m_selMaxRow = Grow(m_selMaxRow, row, false);
    m_selMinCol = Grow(m_selMinCol, col, true);
    m_selMaxCol = Grow(m_selMaxCol, col, false);
  }
  if (m_virtualMode) {
    if (state & GCS_SELECTED)
      m_virtualSelected.insert({row, col});
    else
      m_virtualSelected.erase({row, col});
    return TRUE;
  }
  CCellBase* cell = GetCell(row, col);
  if (!cell) return FALSE;
  cell->SetState(state);
  return TRUE;
}

BOOL CCellGrid::IsCellSelected(int row, int col) const {
  return m_selectionEnabled && HasSelectedBit(row, col);
}

bool CCellGrid::RowHasSelectedCell(int row, int minCol, int maxCol) const {
  for (int c = minCol; c <= maxCol && m_selectionEnabled; ++c)
    if (IsCellSelected(row, c)) return true;
  return false;
}

CCellBlock CCellGrid::GetSelectedCellRange() {
  CCellBlock range(m_rows, m_cols, -1, -1);
  auto include = [&range](int r, int c) {
    range.minRow = std::min(range.minRow, r);
    range.minCol = std::min(range.minCol, c);
    range.maxRow = std::max(range.maxRow, r);
    range.maxCol = std::max(range.maxCol, c);
  };
  if (m_virtualMode) {
    for (const auto& [r, c] : m_virtualSelected) include(r, c);
  } else {
    // Each side is searched inward from the grid's edge, so a large selection is bounded after
    // a few looks instead of a visit to every cell.
    const auto selectedAt = [this](int r, int c) {
      const CCellBase* cell = m_cells[std::size_t(r)][std::size_t(c)];
      return cell && (cell->GetState() & GCS_SELECTED);
    };
    const auto rowHasSelected = [&](int r) {
      for (int c = 0; c < m_cols; ++c)
        if (selectedAt(r, c)) return true;
      return false;
    };
    int top = 0;
    while (top < m_rows && !rowHasSelected(top)) ++top;
    if (top < m_rows) {
      int bottom = m_rows - 1;
      while (!rowHasSelected(bottom)) --bottom;
      const auto columnHasSelected = [&](int c) {
        for (int r = top; r <= bottom; ++r)
          if (selectedAt(r, c)) return true;
        return false;
      };
      int left = 0;
      while (!columnHasSelected(left)) ++left;
      int right = m_cols - 1;
      while (!columnHasSelected(right)) --right;
      include(top, left);
      include(bottom, right);
    }
  }
  m_selMinRow = range.minRow;
  m_selMinCol = range.minCol;
  m_selMaxRow = range.maxRow;
  m_selMaxCol = range.maxCol;
  return range;
}

void CCellGrid::SetSelectedRange(const CCellBlock& range, BOOL forceRedraw, BOOL selectCells) {
  SetSelectedRange(range.minRow, range.minCol, range.maxRow, range.maxCol, forceRedraw, selectCells);
}

void CCellGrid::SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRedraw,
                                 BOOL selectCells) {
  if (!m_selectionEnabled) return;
  if (minRow == -1 && minCol == -1 && maxRow == -1 && maxCol == -1) {
    m_additiveSelection = 0;
    selectCells = TRUE;
  }
  std::unique_ptr<CClientDC> dc;
  if (forceRedraw && GetSafeHwnd()) dc = std::make_unique<CClientDC>(this);
  const CCellBlock visible = GetSafeHwnd() ? GetVisibleCellRange() : CCellBlock();
  if (minRow >= 0) minRow = std::max(minRow, m_fixedRows);
  if (maxRow >= 0) maxRow = std::max(maxRow, m_fixedRows);
  if (minCol >= 0) minCol = std::max(minCol, m_fixedCols);
  if (maxCol >= 0) maxCol = std::max(maxCol, m_fixedCols);
  const CCellBlock block(minRow, minCol, maxRow, maxCol);
  const int oldMinRow = m_selMinRow, oldMaxRow = m_selMaxRow, oldMinCol = m_selMinCol,
            oldMaxCol = m_selMaxCol;
  if (selectCells) {
    if (m_additiveSelection) {
      m_selMinRow = oldMinRow == -1 ? minRow : std::min(oldMinRow, minRow);
      m_selMinCol = oldMinCol == -1 ? minCol : std::min(oldMinCol, minCol);
      m_selMaxRow = std::max(oldMaxRow, maxRow);
      m_selMaxCol = std::max(oldMaxCol, maxCol);
    } else {
      m_selMinRow = minRow;
      m_selMinCol = minCol;
      m_selMaxRow = maxRow;
      m_selMaxCol = maxCol;
    }
    const CCellBlock oldBounds(oldMinRow, oldMinCol, oldMaxRow, oldMaxCol);
    if (!m_additiveSelection && oldBounds == block && IsMarkedBlockWhole(block)) {
      // Every examined cell lies in the block and is selected already: the walk below would
      // only count them.
      m_selectedCount = (maxRow - minRow + 1) * (maxCol - minCol + 1);
    } else {
      SelectExaminedCells(block, oldBounds, visible, dc.get());
    }
  } else if (block.IsValid()) {
    for (int r = std::max(0, minRow); r <= std::min(maxRow, m_rows - 1); ++r) {
      for (int c = std::max(0, minCol); c <= std::min(maxCol, m_cols - 1); ++c) {
        if (!HasSelectedBit(r, c)) continue;
        SetCellState(r, c, StoredState(r, c) & ~GCS_SELECTED);
        if (visible.Contains(r, c)) InvalidateCellRect(r, c);
      }
    }
  }
  m_additiveSelection = 0;
  if (dc) {
    dc.reset();
    RefreshWindow();
  }
}

bool CCellGrid::IsMarkedBlockWhole(const CCellBlock& block) const {
  return !m_virtualMode && block.IsValid() && block == m_markedBlock &&
         m_markedLossCount == CCellBase::GetSelectionLossCount() && block.maxRow < m_rows &&
         block.maxCol < m_cols;
}

void CCellGrid::SelectExaminedCells(const CCellBlock& block, const CCellBlock& oldBounds,
                                    const CCellBlock& visible, CDC* dc) {
  const int fromRow = std::max(0, std::min(oldBounds.minRow == -1 ? INT_MAX : oldBounds.minRow,
                                           m_selMinRow == -1 ? m_fixedRows : m_selMinRow));
  const int fromCol = std::max(0, std::min(oldBounds.minCol == -1 ? INT_MAX : oldBounds.minCol,
                                           m_selMinCol == -1 ? m_fixedCols : m_selMinCol));
  const int toRow = std::min(m_rows - 1, std::max(oldBounds.maxRow, m_selMaxRow));
  const int toCol = std::min(m_cols - 1, std::max(oldBounds.maxCol, m_selMaxCol));
  // Whether every cell of the block ends up selected, for the next selection of the same block.
  bool wholeBlock = !m_virtualMode && !m_additiveSelection && block.IsValid() && block.maxRow < m_rows &&
                    block.maxCol < m_cols;
  m_selectedCount = 0;
  for (int r = fromRow; r <= toRow; ++r) {
    for (int c = fromCol; c <= toCol; ++c) {
      // One look at the cell gives both its state and whether it is selected.
      const UINT state = StateWithSelection(r, c);
      const bool selected = (state & GCS_SELECTED) != 0;
      if (!block.Contains(r, c)) {
        if (m_additiveSelection) {
          if (selected) ++m_selectedCount;
        } else if (selected) {
          const int keep = m_selectedCount;
          SetCellState(r, c, state & ~GCS_SELECTED);
          m_selectedCount = keep;
          // A cell that loses the selection shows it at once.
          if (visible.Contains(r, c)) InvalidateCellRect(r, c);
        }
        continue;
      }
      ++m_selectedCount;
      if (!selected) {
        const int keep = m_selectedCount;
        const int bounds[4] = {m_selMinRow, m_selMaxRow, m_selMinCol, m_selMaxCol};
        SetCellState(r, c, state | GCS_SELECTED);
        m_selectedCount = keep;
        m_selMinRow = bounds[0];
        m_selMaxRow = bounds[1];
        m_selMinCol = bounds[2];
        m_selMaxCol = bounds[3];
        wholeBlock = wholeBlock && HasSelectedBit(r, c);
        if (visible.Contains(r, c)) {
          if (dc)
            RedrawCell(r, c, dc);
          else
            InvalidateCellRect(r, c);
        }
      }
    }
  }
  // Counted after the walk, which itself may have taken the selection from cells outside.
  m_markedBlock = wholeBlock ? block : CCellBlock();
  m_markedLossCount = CCellBase::GetSelectionLossCount();
}

void CCellGrid::ClearSelection() {
  SetSelectedRange(-1, -1, -1, -1, FALSE, TRUE);
  SetFocusCell(-1, -1);
}

void CCellGrid::SelectRows(CCellAddr cell, BOOL forceRedraw, BOOL selectCells, BOOL additive) {
  if (!m_selectionEnabled || cell.row < m_fixedRows || cell.row >= m_rows || cell.col < 0 ||
      cell.col >= m_cols)
    return;
  if (additive) m_additiveSelection = 1;
  int first = cell.row;
  int last = cell.row;
  if (!((m_wholeRowSelection && m_singleRowSelection) || additive) && m_selectionAnchor.row >= 0) {
    first = std::min(m_selectionAnchor.row, cell.row);
    last = std::max(m_selectionAnchor.row, cell.row);
  }
  SetSelectedRange(first, m_fixedCols, last, m_cols - 1, forceRedraw, selectCells);
}

void CCellGrid::SelectCells(CCellAddr cell, BOOL forceRedraw, BOOL selectCells) {
  if (!m_selectionEnabled || cell.row < m_fixedRows || cell.col < m_fixedCols || !IsValid(cell)) return;
  const CCellAddr anchor = IsValid(m_selectionAnchor) ? m_selectionAnchor : cell;
  SetSelectedRange(std::min(anchor.row, cell.row), std::min(anchor.col, cell.col),
                   std::max(anchor.row, cell.row), std::max(anchor.col, cell.col), forceRedraw, selectCells);
}

void CCellGrid::SelectToCell(CCellAddr cell) {
  if (!m_selectionEnabled) return;
  if (m_mouseMode == kMouseSelectRows) {
    if (cell.row >= m_fixedRows && IsValid(cell)) {
      int first = cell.row;
      int last = cell.row;
      if (!(m_wholeRowSelection && m_singleRowSelection) && m_selectionAnchor.row >= 0) {
        first = std::min(m_selectionAnchor.row, cell.row);
        last = std::max(m_selectionAnchor.row, cell.row);
      }
      SetSelectedRange(first, m_fixedCols, last, m_cols - 1, FALSE, TRUE);
    }
  } else if (m_mouseMode == kMouseSelectCells) {
    SelectCells(cell, FALSE, TRUE);
  }
  SendNotification(cell.row, cell.col, GRIDN_SELCHANGING);
}

void CCellGrid::HandleFixedColumnClick(CCellAddr cell) {
  if (!IsValid(cell) || !m_fixedColClickSelectsRows) return;
  m_mouseMode = cell.row < m_fixedRows ? kMouseSelectAll : kMouseSelectRows;
  SelectToCell(cell);
}

void CCellGrid::OnEditSelectAll() {
  if (!m_selectionEnabled) return;
  SendNotification(m_buttonDownCell.row, m_buttonDownCell.col, GRIDN_SELCHANGING);
  SetSelectedRange(m_fixedRows, m_fixedCols, m_rows - 1, m_cols - 1, FALSE, TRUE);
  SendNotification(m_focusCell.row, m_focusCell.col, GRIDN_SELCHANGED);
}

void CCellGrid::OnUpdateEditSelectAll(CCmdUI* cmdUI) { cmdUI->Enable(m_selectionEnabled); }

CCellAddr CCellGrid::SetFocusCell(int row, int col) {
  const CCellAddr previous = m_focusCell;
  if (CCellAddr(row, col) == m_focusCell) return previous;
  if (row != -1) row = std::max(row, m_fixedRows);
  if (col != -1) col = std::max(col, m_fixedCols);
  m_focusCell = CCellAddr(row, col);
  SendNotification(row, col, GRIDN_FOCUSCHANGED);
  if (IsValid(previous) && !m_virtualMode)
    SetCellState(previous.row, previous.col, StoredState(previous.row, previous.col) & ~GCS_FOCUSED);
  if (IsValid(m_focusCell) && !m_virtualMode)
    SetCellState(m_focusCell.row, m_focusCell.col,
                 StoredState(m_focusCell.row, m_focusCell.col) | GCS_FOCUSED);
  RefreshWindow();
  return previous;
}

void CCellGrid::SetWholeRowSelection(BOOL on) {
  ClearSelection();
  if (m_sortColumn >= 0) InvalidateCellRect(0, m_sortColumn);
  m_wholeRowSelection = on;
  SetSortColumn(-1);
  m_fixedColClickSelectsRows = FALSE;
  RefreshWindow();
}
