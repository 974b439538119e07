#include "views/TabGrid.h"

#include <algorithm>

#include "appbase/LoadStringOrPlaceholder.h"
#include "document/MeasurementId.h"
#include "document/ZedoDoc.h"
#include "grid/BarRangeCell.h"
#include "platform/ui/UiThread.h"
#include "resources/ResourceIds.h"
#include "views/DetailGripperCell.h"
#include "views/DetailLeftCell.h"
#include "views/SeriesCell.h"

namespace {

constexpr int kGripperWidth = 22;
constexpr int kGripperHeight = 19;
constexpr int kGripperImages = 15;
constexpr COLORREF kRed = RGB(255, 0, 0);

constexpr int kDefaultCellWidth = 100;
constexpr int kDefaultCellHeight = 22;
constexpr int kHeaderHeight = 26;
constexpr int kGripperColumnWidth = 56;
// A full fill shows its progress before every 31st measurement.
constexpr int kProgressStep = 31;
// Above this many rows a changing selection is not counted unless asked.
constexpr int kCountedRows = 40000;
// The bar's scale reaches this far beyond the load limit, in newtons.
constexpr double kBarHeadroom = 2000.0;

constexpr COLORREF kCellBack = RGB(242, 245, 253);
constexpr COLORREF kGripperCorner = RGB(191, 219, 227);
constexpr COLORREF kTextColor = RGB(34, 36, 76);
constexpr COLORREF kRangeB = RGB(191, 219, 227), kRangeBSelected = RGB(61, 69, 72);
constexpr COLORREF kRangeA = RGB(0, 71, 79), kRangeASelected = RGB(0, 41, 49);
constexpr COLORREF kOverlap = RGB(0, 160, 191), kOverlapSelected = RGB(0, 120, 151);

// The column of each pair of sort keys (1 and 2, 3 and 4, ...); the pair 9 and 10 sorts by
// nothing the grid shows and leaves the arrow as it is.
constexpr int kSortKeyColumns[] = {-1, 1, 3, 2, 4, -1, 5, 6, 7, 8};
constexpr BYTE kLastSortKey = 18;

// Header texts of columns 1 to 8.
constexpr UINT kHeaderTextIds[CTabGrid::kColumnCount - 1] = {IDS_LABEL_SLOT_ID,   IDS_LABEL_ID,
                                                             IDS_LABEL_DATE_TIME, IDS_LABEL_MEASURED_VALUE,
                                                             IDS_LABEL_DISC_AREA, IDS_LABEL_DISC_DIAMETER,
                                                             IDS_LABEL_LOAD_RATE, IDS_SUMMARY_UNIT};

CString JoinValue(const CString& value, const CString& unit) { return value + u" " + unit; }

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CTabGrid, CPropertyPage)
  .OnSize(&CTabGrid::OnSize)
  .OnEraseBkgnd(&CTabGrid::OnEraseBkgnd)
  .OnMessage(WM_ZEDO_DOC_CHANGED, &CTabGrid::OnDocumentChanged)
  .OnMessage(WM_PAGE_REFILL, &CTabGrid::OnRefill)
  .OnMessage(WM_PAGE_PRINT, &CTabGrid::OnPrint)
  .OnMessage(WM_PAGE_COPY, &CTabGrid::OnCopy)
  .OnMessage(WM_PAGE_CUT, &CTabGrid::OnCut)
  .OnMessage(WM_PAGE_PASTE, &CTabGrid::OnPaste)
  .OnMessage(WM_PAGE_SELECT_ALL, &CTabGrid::OnSelectAll)
  .OnMessage(WM_PAGE_DELETE, &CTabGrid::OnDelete)
  .OnMessage(WM_PAGE_CAN_DELETE, &CTabGrid::OnCanDelete)
  .OnMessage(WM_PAGE_CAN_SELECT_ALL, &CTabGrid::OnCanSelectAll)
  .OnMessage(WM_PAGE_EXPORT_GRAPHIC, &CTabGrid::OnExportGraphic)
  .OnMessage(WM_PAGE_EXPORT_CSV, &CTabGrid::OnExportCsv)
END_MESSAGE_MAP()
// clang-format on

CTabGrid::CTabGrid(CWnd* parentView, CZedoDoc* doc)
    : CPropertyPage(IDD_TAB_GRID), m_pParentView(parentView), m_pDoc(doc) {
  m_pDoc->AddView(this);
  m_GripperImages.Create(kGripperWidth, kGripperHeight, ILC_COLORDDB | ILC_MASK, kGripperImages, 1);
  CBitmap strip;
  if (strip.LoadBitmap(IDB_GRIPPER)) m_GripperImages.Add(&strip, kRed);
}

CTabGrid::~CTabGrid() {
  m_pDoc->RemoveView(this);
  if (m_Grid.IsWindow()) m_Grid.DestroyWindow();
}

BOOL CTabGrid::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_Grid.Create(CRect(0, 0, 0, 0), this, kGridId, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP);
  InitGrid();
  return TRUE;
}

// The value column takes up the width the page gains, also before anything is filled.
void CTabGrid::OnSize(UINT, int, int) {
  if (!m_Grid.IsWindow()) return;
  CRect client;
  GetClientRect(client);
  m_Grid.SetWindowPos(nullptr, 0, 0, client.Width(), client.Height(), SWP_NOZORDER);
  FitColumns();
}

BOOL CTabGrid::OnEraseBkgnd(CDC*) { return TRUE; }

LRESULT CTabGrid::OnDocumentChanged(WPARAM wParam, LPARAM) {
  FillGrid(int(wParam));
  return 0;
}

LRESULT CTabGrid::OnRefill(WPARAM wParam, LPARAM) {
  FillGrid(-1);
  m_Grid.WriteScrollPosition(SB_VERT, int(wParam));
  m_Grid.Invalidate(TRUE);
  return 0;
}

void CTabGrid::InitGrid() {
  m_Grid.RemoveAllCells();
  m_Grid.SetWholeRowScrolling(FALSE);
  for (BOOL fixedRow : {FALSE, TRUE}) {
    for (BOOL fixedCol : {FALSE, TRUE}) {
      CDefaultCell* cell = m_Grid.GetDefaultCell(fixedRow, fixedCol);
      cell->SetDefaultWidth(kDefaultCellWidth);
      cell->SetDefaultHeight(kDefaultCellHeight);
    }
  }
  m_Grid.SetFixedColumnCount(0);
  m_Grid.SetFixedRowCount(1);
  m_Grid.SetRowResize(FALSE);
  m_Grid.SetColumnResize(TRUE);
  m_Grid.SetWholeRowSelection(TRUE);
  m_Grid.SetRowCount(1);
  m_Grid.GetDefaultCell(FALSE, FALSE)->SetTextColor(kTextColor);
  m_Grid.SetCopyRowSeparator(FALSE);
  m_Grid.SetCopyColumnSeparator(FALSE);
  m_Grid.SetRowHeight(0, kHeaderHeight);
  m_Grid.SetSortColumn(-1);
  m_Grid.SetColumnCount(kColumnCount);
  m_fittedValueWidth = -1;
  m_valueColumnSpare = 0;
  for (int col = 1; col < kColumnCount; ++col) {
    const CString text = LoadStringOrPlaceholder(kHeaderTextIds[col - 1]);
    CString copy = text + u"\t";
    if (col == kUnitColumn)
      copy += LoadStringOrPlaceholder(IDS_LABEL_SERIAL_NO) + u"\t" +
              LoadStringOrPlaceholder(IDS_LABEL_COMMENT) + u"\t";
    m_Grid.SetCellText(0, col, text);
    m_Grid.GetCell(0, col)->SetCopyText(copy);
  }
  FitColumns();
  m_Grid.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  UpdateSelectionStatus(true);
}

bool CTabGrid::HoldsRowsOf(int index) const {
  return index >= 0 && index < m_pDoc->GetCount() && 2 * index + 2 < m_Grid.GetRowCount() &&
         GripperOf(index) && SeriesCellOf(index);
}

CDetailGripperCell* CTabGrid::GripperOf(int index) const {
  return dynamic_cast<CDetailGripperCell*>(m_Grid.GetCell(2 * index + 1, 0));
}

CSeriesCell* CTabGrid::SeriesCellOf(int index) const {
  return dynamic_cast<CSeriesCell*>(m_Grid.GetCell(2 * index + 2, 1));
}

void CTabGrid::FillGrid(int index) {
  if (!m_Grid.IsWindow()) return;
  const int count = m_pDoc->GetCount();
  if (count == 0 || m_pDoc->GetSortColumn() == 0) m_SavedWidths.clear();
  // A notice about one measurement whose rows the grid does not hold (yet) would reach for
  // cells that are not there: the whole grid is filled again instead.
  if (index >= 0 && !HoldsRowsOf(index)) index = -1;
  const bool full = index < 0;
  int first = index, last = index;
  if (full) {
    InitGrid();
    RefreshSummaryFlags();
    m_Grid.SetUseAltColors(TRUE);
    m_Grid.SetRowCount(2 * count + 1);
    first = 0;
    last = count - 1;
  }
  const CString progressTitle = LoadStringOrPlaceholder(IDS_UPDATING);
  for (int i = first; i <= last; ++i) {
    if (full) {
      if (i % kProgressStep == 0) {
        m_strProgress.Empty();
        if (!progressTitle.IsEmpty()) m_strProgress.Format(u"%s %d", progressTitle.GetString(), i + 1);
        ShowStatusText();
      }
      CreateMeasurementCells(i);
    }
    if (m_pDoc->IsExpanded(i)) {
      GripperOf(i)->SetCollapsed(false);
      SeriesCellOf(i)->Expand(true);
    }
    GripperOf(i)->SetSelected(m_pDoc->IsSelected(i));
    FillHeaderRow(i);
  }
  ShowSortIndicator();
  if (full) {
    if (!m_SavedWidths.empty()) {
      for (int col = 0; col < int(m_SavedWidths.size()) && col < kColumnCount; ++col)
        m_Grid.SetColumnWidth(col, m_SavedWidths[size_t(col)]);
      // The value column keeps the spare width it held, to give back when the area narrows.
      m_fittedValueWidth = m_Grid.GetColumnWidth(kValueColumn);
      m_valueColumnSpare = m_savedValueColumnSpare;
    } else {
      m_Grid.AutoSizeColumns();
      m_fittedValueWidth = -1;
      FitColumns();
    }
  }
  m_strProgress.Empty();
  ShowStatusText();
  UpdateSelectionStatus(true);
  m_Grid.Invalidate(TRUE);
}

void CTabGrid::CreateMeasurementCells(int index) {
  const int header = 2 * index + 1;
  const int detail = header + 1;
  m_Grid.SetCellType(detail, 0, RUNTIME_CLASS(CDetailLeftCell));
  auto* left = static_cast<CDetailLeftCell*>(m_Grid.GetCell(detail, 0));
  left->SetState(left->GetState() | GCS_READONLY);
  left->SetTopLeftColor(kGripperCorner);
  left->SetTopRightColor(kGripperCorner);
  left->SetBottomLeftColor(kCellBack);
  left->SetBottomRightColor(kCellBack);
  left->SetDrawSelected(FALSE);
  left->SetFrameFocus(FALSE);
  for (int col = 1; col < kColumnCount; ++col) {
    m_Grid.SetCellType(detail, col, RUNTIME_CLASS(CSeriesCell));
    CCellBase* cell = m_Grid.GetCell(detail, col);
    cell->SetState(cell->GetState() | GCS_READONLY);
    cell->SetBackColor(kCellBack);
  }
  m_Grid.SetCellColumnRange(detail, 1, kColumnCount - 1);
  m_Grid.SetRowHeight(detail, 0);
  SeriesCellOf(index)->SetMeasurement(m_pDoc, index);

  m_Grid.SetCellType(header, 0, RUNTIME_CLASS(CDetailGripperCell));
  CDetailGripperCell* gripper = GripperOf(index);
  gripper->SetState(gripper->GetState() | GCS_READONLY);
  gripper->SetFormat(gripper->GetFormat() | DT_RIGHT);
  gripper->SetImageList(&m_GripperImages);
  gripper->SetTopLeftColor(kGripperCorner);
  gripper->SetTopRightColor(kGripperCorner);
  gripper->SetBottomLeftColor(kGripperCorner);
  gripper->SetBottomRightColor(kGripperCorner);
  gripper->SetDrawSelected(FALSE);
  gripper->SetFrameFocus(FALSE);
}

void CTabGrid::FillHeaderRow(int index) {
  const int row = 2 * index + 1;
  CString texts[kColumnCount];
  texts[1].Format(u"%d", int(m_pDoc->GetSlotId(index)));
  texts[2] = FormatMeasurementId(m_pDoc->GetId(index));
  m_pDoc->GetDateTimeText(index, texts[3]);
  CString value, unit;
  BYTE displayUnit = 1;
  m_pDoc->GetPeakLoad(index, displayUnit, value, unit);
  texts[4].Format(u"%s %s", value.GetString(), unit.GetString());
  m_pDoc->GetAreaText(index, value, unit);
  texts[5] = JoinValue(value, unit);
  m_pDoc->GetDiameterText(index, value, unit);
  texts[6] = JoinValue(value, unit);
  m_pDoc->GetLoadRateText(index, value, unit);
  texts[7] = JoinValue(value, unit);
  texts[8] = m_pDoc->GetUnitName(index);
  FillBarCell(index);
  for (int col = 1; col < kColumnCount; ++col) {
    CCellBase* cell = m_Grid.GetCell(row, col);
    cell->SetBackColor(kCellBack);
    if (col != kIdColumn) cell->SetState(cell->GetState() | GCS_READONLY);
    cell->SetText(texts[col]);
    cell->SetCopyText(texts[col] + u"\t");
  }
}

// The bar shows the peak against the load limit in newtons, whatever unit the test shows.
void CTabGrid::FillBarCell(int index) {
  const int row = 2 * index + 1;
  m_Grid.SetCellType(row, kValueColumn, RUNTIME_CLASS(CBarRangeCell));
  auto* bar = static_cast<CBarRangeCell*>(m_Grid.GetCell(row, kValueColumn));
  const double limit = m_pDoc->GetLoadLimit(index, false);
  CString value, unit;
  BYTE newtons = 0;
  const double peak = m_pDoc->GetPeakLoad(index, newtons, value, unit);
  bar->SetMinValue(0.0);
  bar->SetMaxValue(limit + kBarHeadroom);
  bar->SetRangeBLow(0.0);
  bar->SetRangeBHigh(limit);
  bar->SetRangeALow(0.0);
  bar->SetRangeAHigh(peak);
  bar->SetRangeAHidden(FALSE);
  bar->SetRangeBHidden(FALSE);
  bar->SetMarkerValue(peak);
  bar->SetMarkerHidden(TRUE);
  bar->SetRangeBColors(kRangeB, kRangeBSelected);
  bar->SetRangeAColors(kRangeA, kRangeASelected);
  bar->SetOverlapColors(kOverlap, kOverlapSelected);
}

void CTabGrid::FitColumns() {
  m_Grid.SetColumnWidth(0, kGripperColumnWidth);
  if (m_Grid.GetRowCount() >= 1) {
    // The value column gives back the spare width it was handed last time, so that it narrows
    // again with the client area. A width set since then (auto-size, saved widths, the user's
    // drag) is the column's own and stays.
    int own = m_Grid.GetColumnWidth(kValueColumn);
    if (own == m_fittedValueWidth) own -= m_valueColumnSpare;
    m_Grid.SetColumnWidth(kValueColumn, own);
    CRect last, client;
    m_Grid.GetCellRect(0, kColumnCount - 1, last);
    m_Grid.GetClientRect(client);
    const int spare = client.right - last.right;
    m_valueColumnSpare = spare > 0 ? spare - 2 : 0;
    m_fittedValueWidth = own + m_valueColumnSpare;
    m_Grid.SetColumnWidth(kValueColumn, m_fittedValueWidth);
  }
  m_Grid.Invalidate(TRUE);
}

void CTabGrid::ShowSortIndicator() {
  const BYTE key = m_pDoc->GetSortColumn();
  if (key == 0) {
    m_Grid.SetSortColumn(-1);
    m_Grid.SetSortAscending(TRUE);
  } else if (key <= kLastSortKey && kSortKeyColumns[(key + 1) / 2] >= 0) {
    // Odd keys sort ascending, even keys descending.
    m_Grid.SetSortColumn(kSortKeyColumns[(key + 1) / 2]);
    m_Grid.SetSortAscending(key % 2 == 1);
  }
  m_Grid.Invalidate(TRUE);
}

void CTabGrid::RefreshSummaryFlags() {
  m_pDoc->RecomputeSummary();
  if (!m_pDoc->HasMeasurements()) return;
  for (int j = 0; j < m_pDoc->GetCount() && 2 * j + 1 < m_Grid.GetRowCount(); ++j)
    if (CDetailGripperCell* gripper = GripperOf(j)) gripper->SetSelected(m_pDoc->IsSelected(j));
}

void CTabGrid::UpdateSelectionStatus(bool force) {
  if (m_Grid.GetRowCount() > kCountedRows && !force) return;
  int selected = 0;
  const int count = m_pDoc->GetCount();
  for (int j = 0; j < count; ++j) {
    const int header = 2 * j + 1;
    if (header >= m_Grid.GetRowCount()) break;
    if (m_Grid.IsCellSelected(header, 1) || (m_Grid.GetCellState(header + 1, 1) & GCS_FOCUSED) ||
        (m_Grid.GetCellState(header + 1, 0) & GCS_FOCUSED))
      ++selected;
  }
  m_strSelection.Format(u"%s %d      %s %d        ",
                        LoadStringOrPlaceholder(IDS_SELECTED_MEASUREMENTS).GetString(), selected,
                        LoadStringOrPlaceholder(IDS_TOTAL_MEASUREMENTS).GetString(), count);
  ShowStatusText();
}

void CTabGrid::ShowStatusText() {
  CWnd* main = AfxGetMainWnd();
  if (!main) return;
  const CString text = m_strSelection + m_strProgress;
  main->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
}
