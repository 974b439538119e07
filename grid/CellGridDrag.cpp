// Drag and drop of cell texts: the selected block dragged out as text, and text dropped on a
// cell pasted from there.

#include "grid/CellGrid.h"
#include "grid/GridDragDrop.h"

void CCellGrid::OnBeginDrag() {
  if (!m_dragAndDrop) return;
  const std::unique_ptr<COleDataSource> source = CopyToDataSource(FALSE);
  if (!source) return;
  if (RunOwnDrag(*this, m_mouseMode, m_leftButtonDown, *source) == DROPEFFECT_MOVE) ClearSelectedCells();
}

void CCellGrid::SetDropHighlight(const CCellAddr& cell, bool on) {
  if (!IsValid(cell)) return;
  const UINT state = GetCellState(cell.row, cell.col);
  SetCellState(cell.row, cell.col, on ? (state | GCS_DROPHILITED) : (state & ~GCS_DROPHILITED));
  RedrawCell(cell.row, cell.col);
}

DROPEFFECT CCellGrid::OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point) {
  if (!m_dragAndDrop || !data || !data->IsDataAvailable(CF_TEXT)) return DROPEFFECT_NONE;
  m_dropHighlightCell = GetCellAtPoint(point, FALSE);
  if (!IsValid(m_dropHighlightCell) || !m_editable ||
      (GetCellState(m_dropHighlightCell.row, m_dropHighlightCell.col) & GCS_READONLY))
    return DROPEFFECT_NONE;
  SetDropHighlight(m_dropHighlightCell, true);
  return DragEffectForKeys(keyState);
}

DROPEFFECT CCellGrid::OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) {
  if (!m_dragAndDrop || !m_editable || !data || !data->IsDataAvailable(CF_TEXT)) return DROPEFFECT_NONE;
  const CCellAddr cell = GetCellAtPoint(point, FALSE);
  // A read-only cell takes no drop; the highlight stays where it was.
  if (IsValid(cell) && (GetCellState(cell.row, cell.col) & GCS_READONLY)) return DROPEFFECT_NONE;
  const auto leave = [this] { OnDragLeave(); };
  const auto show = [this](const CCellAddr& target, bool on) { SetDropHighlight(target, on); };
  return FollowDrag(m_dropHighlightCell, cell, IsValid(cell), keyState, leave, show);
}

void CCellGrid::OnDragLeave() { SetDropHighlight(m_dropHighlightCell, false); }

BOOL CCellGrid::OnDrop(COleDataObject* data, DROPEFFECT, CPoint) {
  m_mouseMode = kMouseIdle;
  if (!m_dragAndDrop || !m_editable || !IsValid(m_dropHighlightCell) ||
      (GetCellState(m_dropHighlightCell.row, m_dropHighlightCell.col) & GCS_READONLY))
    return FALSE;
  OnDragLeave();
  return PasteFromDataObject(m_dropHighlightCell.row, m_dropHighlightCell.col, data, FALSE);
}
