// Editing in place and text changes through the edit checks: the owner may veto the start
// (-175) and put the old text back at the end (-176).

#include "grid/org/CellBaseOrg.h"
#include "grid/org/CellGridOrg.h"

namespace {

// The in-place editor's control id.
constexpr UINT kInPlaceEditId = 8;

}  // namespace

BOOL CCellGridOrg::BeginCellEdit(int row, int col, CPoint point, UINT ch) {
  m_titleTip.HideTip();
  if (!IsValid(row, col) || !m_editable) return FALSE;
  CCellBaseOrg* cell = GetCell(row, col);
  if (!cell || cell->IsReadOnly()) return FALSE;
  EnsureVisible(row, col);
  CRect rect;
  if (!IsCellVisible(row, col) || !GetCellRect(row, col, rect)) return FALSE;
  if (SendNotification(row, col, GRIDN_BEGINLABELEDIT) < 0) return FALSE;
  cell = GetCell(row, col);
  return cell && cell->BeginEdit(row, col, rect, point, kInPlaceEditId, ch);
}

void CCellGridOrg::FinishCellEdit(int row, int col, LPCTSTR text) {
  CCellBaseOrg* cell = GetCell(row, col);
  if (!cell) return;
  const CString old = cell->GetText();
  const CString edited(text);
  if (edited != old) {
    if (m_virtualMode)
      cell->SetText(edited);
    else
      SetCellText(row, col, edited);
    const BOOL valid = ValidateCellText(row, col, edited);
    if (!valid || SendNotification(row, col, GRIDN_ENDLABELEDIT) < 0) {
      if (m_virtualMode)
        cell->SetText(old);
      else
        SetCellText(row, col, old);
    } else {
      SetModified(TRUE, row, col);
      RedrawCell(row, col);
    }
  }
  cell->OnEditEnded();
}

BOOL CCellGridOrg::ValidateCellText(int row, int col, LPCTSTR text) {
  CCellBaseOrg* cell = GetCell(row, col);
  return cell ? cell->ValidateText(text) : TRUE;
}

void CCellGridOrg::StopEditing() {
  if (CCellBaseOrg* cell = GetCell(m_focusCell.row, m_focusCell.col)) cell->StopEdit();
}

void CCellGridOrg::ValidateAndSetCellText(int row, int col, LPCTSTR text) {
  CCellBaseOrg* cell = GetCell(row, col);
  if (!m_editable || !cell || cell->IsReadOnly()) return;
  if (SendNotification(row, col, GRIDN_BEGINLABELEDIT) < 0) return;
  const CString old = GetCellText(row, col);
  const CString changed(text);
  if (changed == old) return;
  SetCellText(row, col, changed);
  if (ValidateCellText(row, col, changed) && SendNotification(row, col, GRIDN_ENDLABELEDIT) >= 0) {
    SetModified(TRUE, row, col);
    RedrawCell(row, col);
  } else {
    SetCellText(row, col, old);
  }
}
