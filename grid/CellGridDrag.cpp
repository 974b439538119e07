// Drag and drop of cell texts: the selected block dragged out as text, and text dropped on a
// cell pasted from there.

#include "grid/CellGrid.h"

namespace {

// The mouse mode while the grid's own drag runs.
constexpr int kMouseDragging = 12;

}  // namespace

void CCellGrid::OnBeginDrag() {
  if (!m_dragAndDrop) return;
  const std::unique_ptr<COleDataSource> source = CopyToDataSource(FALSE);
  if (!source) return;
  const CCellBlock range = GetSelectedCellRange();
  SendNotification(range.minRow, range.minCol, GRIDN_BEGINDRAG);
  m_mouseMode = kMouseDragging;
  if (source->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE) == DROPEFFECT_MOVE) ClearSelectedCells();
}

DROPEFFECT CCellGrid::DragEffect(DWORD keyState) {
  return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
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
  return DragEffect(keyState);
}

DROPEFFECT CCellGrid::OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) {
  if (!m_dragAndDrop || !m_editable || !data || !data->IsDataAvailable(CF_TEXT)) return DROPEFFECT_NONE;
  const CCellAddr cell = GetCellAtPoint(point, FALSE);
  if (!IsValid(cell)) {
    OnDragLeave();
    m_dropHighlightCell = CCellAddr();
    return DROPEFFECT_NONE;
  }
  // A read-only cell takes no drop; the highlight stays where it was.
  if (GetCellState(cell.row, cell.col) & GCS_READONLY) return DROPEFFECT_NONE;
  if (cell != m_dropHighlightCell) {
    SetDropHighlight(m_dropHighlightCell, false);
    m_dropHighlightCell = cell;
    SetDropHighlight(m_dropHighlightCell, true);
  }
  return DragEffect(keyState);
}

void CCellGrid::OnDragLeave() { SetDropHighlight(m_dropHighlightCell, false); }

BOOL CCellGrid::OnDrop(COleDataObject* data, DROPEFFECT, CPoint) {
  m_mouseMode = 0;
  if (!m_dragAndDrop || !m_editable || !IsValid(m_dropHighlightCell) ||
      (GetCellState(m_dropHighlightCell.row, m_dropHighlightCell.col) & GCS_READONLY))
    return FALSE;
  OnDragLeave();
  return PasteFromDataObject(m_dropHighlightCell.row, m_dropHighlightCell.col, data, FALSE);
}
