// The measurement page's answers to its grid's notices: sorting by a header click, the row
// gripper (detail row and summary flag), header and detail rows selected together, the ID
// edited in place, and the right-click actions: time shift, unit menu, edit menu and rows menu.

#include <memory>

#include "appbase/LoadStringOrPlaceholder.h"
#include "document/DateTimeDlg.h"
#include "document/MeasurementId.h"
#include "document/ZedoDoc.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WaitCursor.h"
#include "resources/ResourceIds.h"
#include "toolkit/OwnerMenu.h"
#include "views/DetailGripperCell.h"
#include "views/SeriesCell.h"
#include "views/TabGrid.h"

namespace {

constexpr int kDateTimeColumn = 3;
// The rows menu shows its progress before every 11th measurement.
constexpr int kExpandProgressStep = 11;

// The ascending sort key of columns 1 to 8; the descending key is the next one.
constexpr BYTE kAscendingKeys[CTabGrid::kColumnCount] = {0, 1, 5, 3, 7, 11, 13, 15, 17};

// Edit menu commands and their pictures in bitmap 72.
enum EEditCommand : UINT { kCut = 3, kCopy = 4, kPaste = 5, kDelete = 6 };
constexpr int kMenuPictureSize = 16;
// Rows menu commands; their pictures in bitmap 74 are the command less one.
enum ERowsCommand : UINT {
  kExpandAll = 1,
  kCollapseAll = 2,
  kAddAllToSummary = 3,
  kExcludeAllFromSummary = 4
};
constexpr int kRowsPictureWidth = 20;
constexpr int kRowsPictureHeight = 19;

bool IsHeaderRow(int row) { return row >= 1 && row % 2 == 1; }

}  // namespace

BOOL CTabGrid::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* notice = reinterpret_cast<const SGridCellNotify*>(lParam);
  if (!notice || notice->hdr.idFrom != kGridId) return CPropertyPage::OnNotify(wParam, lParam, result);
  *result = 0;
  switch (int(notice->hdr.code)) {
    case GRIDN_CLICK:
      OnGridClick(notice->row, notice->col);
      break;
    case GRIDN_RCLICK:
      OnGridRightClick(notice->row, notice->col);
      break;
    case GRIDN_SELCHANGING:
      UpdateSelectionStatus(false);
      break;
    case GRIDN_SELCHANGED:
      OnGridSelChanged(notice->row, notice->col);
      break;
    case GRIDN_KEYDOWN:
      // The key code comes in the row field.
      if (UINT(notice->row) == VK_DELETE) DeleteChecked(false);
      break;
    case GRIDN_ENDLABELEDIT:
      OnGridEndEdit(notice->row, notice->col);
      break;
    default:
      return CPropertyPage::OnNotify(wParam, lParam, result);
  }
  return TRUE;
}

void CTabGrid::OnGridClick(int row, int col) {
  if (row == 0) {
    OnHeaderClick(col);
  } else if (col == 0 && IsHeaderRow(row)) {
    OnGripperClick(row);
  }
}

// First click on a column sorts ascending, the next descending, and so on; the refill sets the
// arrow from the document's key and gives the columns back the widths they had.
void CTabGrid::OnHeaderClick(int col) {
  if (!m_pDoc->HasMeasurements()) return;
  if (col >= 1 && col < kColumnCount) {
    const BYTE ascending = kAscendingKeys[col];
    m_pDoc->Sort(m_pDoc->GetSortColumn() == ascending ? BYTE(ascending + 1) : ascending);
  }
  m_Grid.SetSortColumn(col);
  m_Grid.SetSortAscending(TRUE);
  m_SavedWidths.clear();
  for (int c = 0; c < m_Grid.GetColumnCount(); ++c) m_SavedWidths.push_back(m_Grid.GetColumnWidth(c));
  m_savedValueColumnSpare =
      m_Grid.GetColumnWidth(kValueColumn) == m_fittedValueWidth ? m_valueColumnSpare : 0;
  PostMessage(WM_PAGE_REFILL, WPARAM(m_Grid.ReadScrollPosition(SB_VERT)), 0);
}

// The gripper has already swapped the image that was hit; its state now says what to do.
void CTabGrid::OnGripperClick(int row) {
  const int index = row / 2;
  CDetailGripperCell* gripper = GripperOf(index);
  CSeriesCell* series = SeriesCellOf(index);
  if (!gripper || !series) return;
  if (gripper->IsExpanded()) {
    series->Expand(false);
    m_pDoc->SetExpanded(index, true);
  } else {
    series->Collapse(false);
    m_pDoc->SetExpanded(index, false);
  }
  m_pDoc->SetSelected(index, gripper->IsSelected());
  RefreshSummaryFlags();
}

void CTabGrid::OnGridRightClick(int row, int col) {
  if (row == 0) return;
  if (m_Grid.GetRowCount() > 1 && row > 0) {
    if (!m_Grid.IsCellSelected(row, col) && IsHeaderRow(row))
      m_Grid.SetSelectedRange(row, 0, row, kColumnCount - 1, FALSE, TRUE);
    CRect cell;
    m_Grid.GetCellRect(row, col, cell);
    m_Grid.ClientToScreen(cell);
    const CCellBlock range = m_Grid.GetSelectedCellRange();
    if (col == 0) {
      ShowRowsMenu();
      return;
    }
    if (col == kDateTimeColumn) {
      ShiftTime(row / 2, range);
      return;
    }
    if (col == kUnitColumn) {
      ChangeUnit(cell, range);
      return;
    }
  }
  if (IsHeaderRow(row) || row == -1) {
    const DWORD at = GetMessagePos();
    ShowEditMenu(GET_X_LPARAM(LPARAM(at)), GET_Y_LPARAM(LPARAM(at)), row != -1);
  }
}

// The dialog shows the measurement's own local time, daylight saving time or not; the shift
// it gives back is the distance to the picked local time.
void CTabGrid::ShiftTime(int index, const CCellBlock& range) {
  CDateTimeDlg dialog;
  CString text;
  const std::int64_t stamp = m_pDoc->GetDateTimeText(index, text);
  dialog.SetOldTime(stamp);
  dialog.SetNewTime(stamp);
  if (dialog.DoModal() != IDOK) return;
  const std::int64_t shift = dialog.GetTimeShift();
  if (shift == 0 || !range.IsValid()) return;
  for (int row = range.minRow; row <= range.maxRow; ++row) {
    if (!IsHeaderRow(row) || !m_Grid.GetCell(row, 0) || !IsChosenForDelete(row / 2)) continue;
    CString current;
    m_pDoc->SetTime(row / 2, m_pDoc->GetDateTimeText(row / 2, current) + shift);
    m_pDoc->UpdateAllViews(nullptr, row / 2);
  }
}

void CTabGrid::ChangeUnit(const CRect& cell, const CCellBlock& range) {
  CPoint cursor;
  GetCursorPos(&cursor);
  BYTE unit = 0;
  if (!m_pDoc->TrackUnitMenu(&m_Grid, cursor.x, cell.left, cell.right, cell.bottom, unit) || !range.IsValid())
    return;
  for (int row = range.minRow; row <= range.maxRow; ++row) {
    if (!IsHeaderRow(row) || !m_Grid.GetCell(row, 0) || !IsChosenForDelete(row / 2)) continue;
    m_pDoc->SetUnit(row / 2, unit);
    m_pDoc->UpdateAllViews(nullptr, row / 2);
  }
}

bool CTabGrid::ShowEditMenu(int x, int y, bool onRow) {
  CImageList pictures;
  pictures.Create(IDB_MENU_PICTURES, kMenuPictureSize, 0, RGB(255, 255, 255));
  COwnerMenu menu;
  if (!menu.CreatePopupMenu()) return false;
  menu.SetIconSize(kMenuPictureSize, kMenuPictureSize);
  const UINT pasteFlags = MF_STRING | (m_pDoc->CanPaste() ? 0 : MF_GRAYED | MF_DISABLED);
  if (onRow) {
    menu.AppendItem(LoadStringOrPlaceholder(IDS_MENU_CUT), MF_STRING, kCut, &pictures, 1);
    menu.AppendItem(LoadStringOrPlaceholder(IDS_MENU_COPY), MF_STRING, kCopy, &pictures, 2);
    menu.AppendItem(LoadStringOrPlaceholder(IDS_MENU_PASTE), pasteFlags, kPaste, &pictures, 3);
    menu.AppendItem(nullptr, MF_SEPARATOR, 0, nullptr, 0);
    menu.AppendItem(LoadStringOrPlaceholder(IDS_MENU_DELETE), MF_STRING, kDelete, &pictures, 4);
  } else {
    menu.AppendItem(LoadStringOrPlaceholder(IDS_MENU_PASTE), pasteFlags, kPaste, &pictures, 3);
  }
  const UINT command = UINT(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, x, y, this));
  switch (command) {
    case kCut:
      PostMessage(WM_PAGE_CUT, 0, 0);
      break;
    case kCopy:
      PostMessage(WM_PAGE_COPY, 0, 0);
      break;
    case kPaste:
      PostMessage(WM_PAGE_PASTE, 0, 0);
      break;
    case kDelete:
      PostMessage(WM_PAGE_DELETE, 0, 0);
      break;
    default:
      return false;
  }
  return true;
}

void CTabGrid::ShowRowsMenu() {
  CPoint cursor;
  GetCursorPos(&cursor);
  CImageList pictures;
  pictures.Create(IDB_ROWS_MENU, kRowsPictureWidth, 0, RGB(255, 0, 0));
  auto menu = std::make_unique<COwnerMenu>();
  if (!menu->CreatePopupMenu()) return;
  menu->SetIconSize(kRowsPictureWidth, kRowsPictureHeight);
  menu->AppendItem(LoadStringOrPlaceholder(IDS_EXPAND_ALL), MF_STRING, kExpandAll, &pictures, 0);
  menu->AppendItem(LoadStringOrPlaceholder(IDS_COLLAPSE_ALL), MF_STRING, kCollapseAll, &pictures, 1);
  menu->AppendItem(nullptr, MF_SEPARATOR, 0, nullptr, 0);
  menu->AppendItem(LoadStringOrPlaceholder(IDS_ADD_ALL_TO_SUMMARY), MF_STRING, kAddAllToSummary, &pictures,
                   2);
  menu->AppendItem(LoadStringOrPlaceholder(IDS_EXCLUDE_ALL_FROM_SUMMARY), MF_STRING, kExcludeAllFromSummary,
                   &pictures, 3);
  switch (UINT(menu->TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, cursor.x, cursor.y, this))) {
    case kExpandAll:
      ExpandRows(true);
      break;
    case kCollapseAll:
      ExpandRows(false);
      break;
    case kAddAllToSummary:
      m_pDoc->SelectAll(true);
      break;
    case kExcludeAllFromSummary:
      m_pDoc->SelectAll(false);
      break;
    default:
      break;
  }
}

void CTabGrid::ExpandRows(bool expand) {
  CWaitCursorScope wait;
  const CString title = expand ? LoadStringOrPlaceholder(IDS_EXPANDING) : CString();
  m_Grid.SetRedraw(FALSE);
  for (int row = 1; row + 1 < m_Grid.GetRowCount(); row += 2) {
    const int index = row / 2;
    CDetailGripperCell* gripper = GripperOf(index);
    CSeriesCell* series = SeriesCellOf(index);
    if (!gripper || !series) continue;
    gripper->SetCollapsed(!expand);
    if (expand)
      series->Expand(true);
    else
      series->Collapse(true);
    m_pDoc->SetExpanded(index, expand);
    if (expand && index % kExpandProgressStep == 0) {
      m_strProgress.Format(u"%s %d", title.GetString(), index + 1);
      ShowStatusText();
    }
  }
  m_Grid.SetRedraw(TRUE, TRUE);
  m_strProgress.Empty();
  ShowStatusText();
  Invalidate(TRUE);
}

void CTabGrid::OnGridSelChanged(int row, int col) {
  UpdateSelectionStatus(true);
  if (row < 1 || m_Grid.GetRowCount() <= 1) return;
  if (IsHeaderRow(row)) {
    if (!m_Grid.IsCellSelected(row + 1, col)) m_Grid.SelectRows(CCellAddr(row + 1, col), FALSE, TRUE);
    return;
  }
  if (!m_Grid.IsCellSelected(row - 1, col)) m_Grid.SelectRows(CCellAddr(row - 1, col), FALSE, TRUE);
  for (int c = 0; c < kColumnCount; ++c) {
    if (m_Grid.GetCellState(row, c) & GCS_FOCUSED) {
      m_Grid.SetFocusCell(row - 1, col);
      break;
    }
  }
}

void CTabGrid::OnGridEndEdit(int row, int col) {
  if (col != kIdColumn || !IsHeaderRow(row)) return;
  const int index = row / 2;
  DWORD id = m_pDoc->GetId(index);
  if (!ParseMeasurementId(m_Grid.GetCellText(row, col), id)) {
    MessageBox(this, LoadStringOrPlaceholder(IDS_ID_NOT_A_NUMBER), u"ZD-Zedo", MB_OK);
    id = m_pDoc->GetId(index);
  }
  m_pDoc->SetId(index, id);
  FillGrid(index);
}
