#include "grid/CellBase.h"
#include "grid/CellGrid.h"

BOOL CCellGrid::ValidateCellText(int row, int col, LPCTSTR text) {
  CCellBase* cell = GetCell(row, col);
  return cell ? cell->ValidateText(text) : TRUE;
}

void CCellGrid::ValidateAndSetCellText(int row, int col, LPCTSTR text) {
  if (!m_editable || !IsValid(row, col) || (GetCellState(row, col) & GCS_READONLY)) return;
  if (SendNotification(row, col, GRIDN_BEGINLABELEDIT) < 0) return;
  const CString old = GetCellText(row, col);
  if (old == CString(text)) return;
  SetCellText(row, col, text);
  if (ValidateCellText(row, col, text) && SendNotification(row, col, GRIDN_ENDLABELEDIT) >= 0) {
    SetModified(row, col);
    RedrawCell(row, col);
  } else {
    SetCellText(row, col, old);
  }
}
