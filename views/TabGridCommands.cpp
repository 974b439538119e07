// The commands of the measurement page: delete with its question, copy, cut and paste through
// the document's private clipboard format, select all, the two enable queries and the keys.

#include "appbase/LoadStringOrPlaceholder.h"
#include "document/ZedoDoc.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WaitCursor.h"
#include "resources/ResourceIds.h"
#include "views/TabGrid.h"

namespace {

// The measurement page finds the chosen measurements through their value column.

}  // namespace

bool CTabGrid::IsChosenForDelete(int index) const {
  const int row = 2 * index + 1;
  return m_Grid.IsCellSelected(row, kValueColumn) || (m_Grid.GetCellState(row, kValueColumn) & GCS_FOCUSED);
}

std::vector<BYTE> CTabGrid::DeleteFlags() const {
  std::vector<BYTE> flags;
  for (int row = 1; row < m_Grid.GetRowCount(); row += 2) flags.push_back(IsChosenForDelete(row / 2) ? 1 : 0);
  return flags;
}

std::vector<BYTE> CTabGrid::CopyFlags() const {
  std::vector<BYTE> flags;
  for (int row = 1; row < m_Grid.GetRowCount(); row += 2) {
    const UINT states = m_Grid.GetCellState(row, kValueColumn) | m_Grid.GetCellState(row + 1, kValueColumn);
    flags.push_back((states & (GCS_SELECTED | GCS_FOCUSED)) ? 1 : 0);
  }
  return flags;
}

void CTabGrid::DeleteChecked(bool withoutQuestion) {
  const std::vector<BYTE> flags = DeleteFlags();
  const bool confirmed = withoutQuestion || MessageBox(this, LoadStringOrPlaceholder(IDS_CONFIRM_DELETE),
                                                       u"ZD-Zedo", MB_YESNOCANCEL | MB_ICONQUESTION) == IDYES;
  if (confirmed) {
    // From the last index down, so that the indexes still to delete stay valid.
    for (int index = int(flags.size()) - 1; index >= 0; --index)
      if (flags[size_t(index)]) m_pDoc->DeleteMeasurement(index);
    m_pDoc->RecomputeSummary();
    PostMessage(WM_PAGE_REFILL, WPARAM(m_Grid.ReadScrollPosition(SB_VERT)), 0);
  }
  m_Grid.SetFocus();
}

void CTabGrid::OpenAndEmptyClipboard() {
  OpenClipboard(this);
  EmptyClipboard();
}

// The page emptied the clipboard and so owns it: it may place the document's data in a new
// opening.
bool CTabGrid::PlaceOnClipboard(const std::vector<BYTE>& flags) {
  CloseClipboard();
  OpenClipboard(this);
  const bool placed = m_pDoc->CopyToClipboard(flags);
  CloseClipboard();
  return placed;
}

LRESULT CTabGrid::OnCopy(WPARAM, LPARAM) {
  CWaitCursorScope wait;
  OpenAndEmptyClipboard();
  if (m_Grid.GetRowCount() <= 1) {
    CloseClipboard();
    return 0;
  }
  // A failed copy is the document's to report; the command itself ran.
  PlaceOnClipboard(CopyFlags());
  return 1;
}

LRESULT CTabGrid::OnCut(WPARAM, LPARAM) {
  CWaitCursorScope wait;
  OpenAndEmptyClipboard();
  const std::vector<BYTE> flags = m_Grid.GetRowCount() > 1 ? CopyFlags() : std::vector<BYTE>();
  if (PlaceOnClipboard(flags)) DeleteChecked(true);
  return 1;
}

LRESULT CTabGrid::OnPaste(WPARAM, LPARAM) {
  CWaitCursorScope wait;
  OpenClipboard(this);
  m_pDoc->PasteFromClipboard();
  CloseClipboard();
  return 1;
}

LRESULT CTabGrid::OnSelectAll(WPARAM, LPARAM) {
  m_Grid.OnEditSelectAll();
  return 1;
}

LRESULT CTabGrid::OnDelete(WPARAM, LPARAM) {
  DeleteChecked(false);
  return 1;
}

LRESULT CTabGrid::OnCanDelete(WPARAM, LPARAM) { return m_Grid.GetSelectedCount() > 0 ? 1 : 0; }

LRESULT CTabGrid::OnCanSelectAll(WPARAM, LPARAM) { return m_pDoc->HasMeasurements() ? 1 : 0; }

// Ctrl+C, Ctrl+V and Ctrl+X of the grid go through the document's private format; Ctrl+A is
// left to the grid, which selects all cells itself.
BOOL CTabGrid::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0) {
    UINT command = 0;
    if (msg->wParam == 'C') command = WM_PAGE_COPY;
    if (msg->wParam == 'V') command = WM_PAGE_PASTE;
    if (msg->wParam == 'X') command = WM_PAGE_CUT;
    if (command) {
      PostMessage(command, 0, 0);
      return TRUE;
    }
  }
  return CPropertyPage::PreTranslateMessage(msg);
}
