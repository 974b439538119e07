// In-place editing and text changes through the edit checks: the owner may veto an edit
// (-175) and a taken text (-176), and the cell checks the text itself.

#include "grid/CellBase.h"
#include "grid/CellGrid.h"

namespace {

// The keys that, ending an edit, move on to the next cell and edit it.
bool ContinuesEditing(UINT key) { return key == VK_TAB || (key >= VK_PRIOR && key <= VK_DOWN); }

}  // namespace

BOOL CCellGrid::ValidateCellText(int row, int col, LPCTSTR text) {
  CCellBase* cell = GetCell(row, col);
  return cell ? cell->ValidateText(text) : TRUE;
}

bool CCellGrid::ApplyCheckedText(int row, int col, const CString& text) {
  const CString old = GetCellText(row, col);
  if (old == text) return false;
  SetCellText(row, col, text);
  if (ValidateCellText(row, col, text) && SendNotification(row, col, GRIDN_ENDLABELEDIT) >= 0) {
    SetModified(row, col);
    RedrawCell(row, col);
  } else {
    SetCellText(row, col, old);
  }
  return true;
}

void CCellGrid::ValidateAndSetCellText(int row, int col, LPCTSTR text) {
  if (!m_editable || !IsValid(row, col) || (GetCellState(row, col) & GCS_READONLY)) return;
  if (SendNotification(row, col, GRIDN_BEGINLABELEDIT) < 0) return;
  ApplyCheckedText(row, col, CString(text));
}

void CCellGrid::BeginCellEdit(int row, int col, CPoint point, UINT ch) {
  if (!IsValid(row, col) || !m_editable || (GetCellState(row, col) & GCS_READONLY)) return;
  EnsureVisible(row, col);
  CRect rect;
  if (!IsCellVisible(row, col) || !GetCellRect(row, col, rect)) return;
  if (SendNotification(row, col, GRIDN_BEGINLABELEDIT) < 0) return;
  if (CCellBase* cell = GetCell(row, col)) cell->BeginEdit(row, col, rect, point, kEditorId, ch);
}

void CCellGrid::StopEditing() {
  if (CCellBase* cell = IsValid(m_focusCell) ? GetCell(m_focusCell.row, m_focusCell.col) : nullptr)
    cell->StopEdit();
}

void CCellGrid::FinishCellEdit(int row, int col, const CString& text) {
  // A cell that went while its editor was open has nothing left to take the text.
  if (!GetCell(row, col)) return;
  if (!ApplyCheckedText(row, col, text)) SendNotification(row, col, GRIDN_EDITUNCHANGED);
  // The owner's answer may have replaced the cell; the one there now hears that the edit ended.
  if (CCellBase* cell = GetCell(row, col)) cell->OnEditEnded();
}

void CCellGrid::OnEditorClosed(NMHDR* header, LRESULT* result) {
  *result = 0;
  if (!GetSafeHwnd()) return;
  const auto* record = reinterpret_cast<const GRIDDISPINFO*>(header);
  const UINT key = UINT(record->item.data);
  FinishCellEdit(record->item.row, record->item.col, record->item.text);
  if (!ContinuesEditing(key)) return;
  HandleKeyDown(key);
  BeginCellEdit(m_focusCell.row, m_focusCell.col, CPoint(-1, -1), key);
}
