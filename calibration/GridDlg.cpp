#include "calibration/GridDlg.h"

#include <cmath>

#include "appbase/LoadStringOrPlaceholder.h"
#include "appbase/Registry.h"
#include "calibration/ForceText.h"
#include "calibration/LoadUnitName.h"
#include "grid/org/TextCellOrg.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/ResourceIcons.h"
#include "resources/ResourceIds.h"

namespace {

constexpr COLORREF kInfoColor = 0xFF3333;
constexpr COLORREF kUnitColor = 0x006600;
constexpr COLORREF kReferenceCellColor = 0xBDE4D7;
constexpr COLORREF kResultsCellColor = 0xE8DEB7;
constexpr UINT kReadOnlyState = 0x08;
constexpr int kGridFontHeight = -12;
constexpr int kBold = 700;
// A control this small near the top or left edge is kept at its size when the dialog resizes.
constexpr int kSmallControl = 20;
constexpr int kNearEdge = 7;

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CGridDlg, CDialog)
  .OnBnClicked(IDC_CAL_GRID_ACTION, &CGridDlg::OnAction)
  .OnSize(&CGridDlg::OnSize)
  .OnMessage(WM_MOVE, &CGridDlg::OnMove)
  .OnMessage(WM_QUERYDRAGICON, &CGridDlg::OnQueryDragIcon)
  .OnContextMenu(&CGridDlg::OnContextMenu)
END_MESSAGE_MAP()
// clang-format on

CGridDlg::CGridDlg(CWnd* owner)
    : CDialog(IDD_CAL_GRID, owner),
      m_hIcon(LoadAppIcon(IDR_MAINFRAME)),
      m_owner(owner),
      m_windowPos(u"CalGridDlg", this) {}

void CGridDlg::Init(bool create, bool calMode, int loadUnit, int runs, int steps, int step) {
  m_calMode = calMode;
  m_loadUnit = loadUnit;
  m_runs = runs;
  m_steps = steps;
  m_step = step;
  m_collectedRuns = 0;
  for (std::vector<int>& values : m_runValues) values.clear();
  if (create) Create(IDD_CAL_GRID, m_owner);
}

void CGridDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_CAL_GRID_TRACE, m_messageField);
  DDX_Control(dx, IDC_CAL_GRID, m_grid);
  DDX_Control(dx, IDC_CAL_GRID_UNIT, m_unitStatic);
  DDX_Control(dx, IDC_CAL_GRID_INFO, m_infoStatic);
  DDX_Control(dx, IDC_CAL_GRID_ACTION, m_actionButton);
  DDX_Control(dx, IDCANCEL, m_cancelButton);
}

BOOL CGridDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  CRect client;
  GetClientRect(client);
  m_clientWidth = client.Width();
  m_clientHeight = client.Height();
  m_collected = false;
  m_infoStatic.SetTextColor(kInfoColor);
  m_unitStatic.SetTextColor(kUnitColor);
  SetWindowText(LoadStringOrPlaceholder(m_calMode ? IDS_GRID_REFERENCE_TITLE : IDS_GRID_RESULTS_TITLE));
  m_infoStatic.SetWindowText(LoadStringOrPlaceholder(m_calMode ? IDS_GRID_REFERENCE_INFO : IDS_GRID_RESULTS_INFO));
  m_actionButton.SetWindowText(LoadStringOrPlaceholder(m_calMode ? IDS_GRID_CALIBRATE : IDS_GRID_COPY_DATA));
  CString unit;
  unit.Format(u"%s: %s", LoadStringOrPlaceholder(IDS_GRID_LOAD_UNIT), LoadUnitName(m_loadUnit));
  m_unitStatic.SetWindowText(unit);
  m_gridFont.CreateFont(kGridFontHeight, 0, 0, 0, kBold, FALSE, FALSE, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"Arial");
  m_grid.SetFont(&m_gridFont);
  m_grid.GetDefaultCell(FALSE, FALSE)->SetBackColor(m_calMode ? kReferenceCellColor : kResultsCellColor);
  FillGrid();
  m_grid.SetSortCallback(&CCellGridOrg::CompareCellsText);
  m_windowPos.Restore(kSettingsKey);
  SetWindowPos(nullptr, m_windowPos.m_left, m_windowPos.m_top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  return TRUE;
}

void CGridDlg::FillGrid() {
  if (m_firstFillPending) {
    m_firstFillPending = false;
    m_grid.SetVirtualMode(FALSE);
    m_columnCount = kFixedColumns + m_runs;
    m_rowCount = kFixedRows + m_steps;
    m_rejectEditAttempts = false;
    m_rejectEditChanges = false;
    if (!m_grid.SetColumnCount(m_columnCount) || !m_grid.SetRowCount(m_rowCount)) return;
    m_grid.SetFixedRowCount(m_fixedRowCount);
    m_grid.SetFixedColumnCount(m_fixedColumnCount);
  }
  const CString runHead = LoadStringOrPlaceholder(m_calMode ? IDS_GRID_HEAD_REFERENCE : IDS_GRID_HEAD_RUN);
  m_grid.SetCellText(0, 0, LoadStringOrPlaceholder(IDS_GRID_HEAD_NUMBER));
  m_grid.SetCellText(0, 1, LoadStringOrPlaceholder(IDS_GRID_HEAD_STEP));
  m_grid.SetCellText(0, 2, LoadStringOrPlaceholder(IDS_GRID_HEAD_NOMINAL));
  CString text;
  for (int run = 1; run <= m_runs; ++run) {
    text.Format(u"%s %d", runHead, run);
    m_grid.SetCellText(0, kFixedColumns + run - 1, text);
  }
  for (int row = 1; row <= m_steps; ++row) {
    text.Format(u"%d", row);
    m_grid.SetCellText(row, 0, text);
    text.Format(u"%d", int(std::round(row * 100.0 / m_steps)));
    m_grid.SetCellText(row, 1, text);
    m_grid.SetCellText(row, 2, FormatForce(row * m_step, m_loadUnit, false));
    for (int run = 0; run < m_runs; ++run) {
      const int col = kFixedColumns + run;
      const std::vector<int>& values = m_runValues[std::size_t(run)];
      m_grid.SetCellType(row, col, RUNTIME_CLASS(CTextCellOrg));
      if (m_calMode) {
        m_grid.SetCellText(row, col, u"");
        continue;
      }
      const bool reached = int(values.size()) >= row;
      m_grid.SetCellText(row, col, reached ? FormatForce(values[std::size_t(row - 1)], m_loadUnit, false) : CString());
      m_grid.SetCellState(row, col, m_grid.GetCellState(row, col) | kReadOnlyState);
    }
  }
  m_grid.AutoSize();
}

void CGridDlg::AddRunValue(int runIndex, int load, bool refresh) {
  if (runIndex < 0 || runIndex >= kMaxRuns) return;
  m_runValues[std::size_t(runIndex)].push_back(load);
  if (!refresh || !GetSafeHwnd()) return;
  FillGrid();
  Invalidate();
}

void CGridDlg::EnableButton(bool enable) { m_actionButton.EnableWindow(enable); }

void CGridDlg::EnableCancel(bool enable) { m_cancelButton.EnableWindow(enable); }

void CGridDlg::ShowGrid() {
  FillGrid();
  ShowWindow(SW_SHOW);
}

void CGridDlg::OnAction() {
  if (m_calMode)
    CollectReferenceLoads();
  else
    CopyToClipboard();
}

void CGridDlg::OnCancel() {
  if (m_calMode && m_owner) m_owner->PostMessage(kGridResultMessage, 0, 0);
  EndDialog(IDCANCEL);
}

BOOL CGridDlg::PreTranslateMessage(MSG* msg) {
  // Enter and Escape go straight to the window they were meant for, the grid's cell editor
  // among them, so that they never close the dialog.
  if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) return FALSE;
  return CDialog::PreTranslateMessage(msg);
}

void CGridDlg::ShiftControl(CWnd& control, int dx, int dy, EResize resize) {
  if (!control.GetSafeHwnd()) return;
  CRect rect;
  control.GetWindowRect(rect);
  ScreenToClient(rect);
  const bool small = (rect.Height() <= kSmallControl && (rect.top < kNearEdge || dy <= 0)) ||
                     (rect.Width() <= kSmallControl && (rect.left < kNearEdge || dx <= 0));
  if (resize == EResize::eMove || small) {
    rect.OffsetRect(dx, dy);
  } else {
    rect.right += dx;
    if (resize == EResize::eGrow)
      rect.bottom += dy;
    else
      rect.OffsetRect(0, dy);
  }
  control.MoveWindow(rect);
}

void CGridDlg::OnSize(UINT, int cx, int cy) {
  if (cx < 2 || cy < 2 || m_clientWidth < 0) return;
  const int dx = cx - m_clientWidth;
  const int dy = cy - m_clientHeight;
  ShiftControl(m_grid, dx, dy, EResize::eGrow);
  ShiftControl(m_messageField, dx, dy, EResize::eWidenAndMoveDown);
  if (CWnd* scroll = GetDlgItem(IDC_CAL_GRID_SCROLL)) ShiftControl(*scroll, dx, dy, EResize::eMove);
  ShiftControl(m_actionButton, dx, 0, EResize::eMove);
  ShiftControl(m_cancelButton, dx, 0, EResize::eMove);
  if (m_pParentWnd && m_pParentWnd->GetSafeHwnd()) m_pParentWnd->Invalidate();
  m_clientWidth = cx;
  m_clientHeight = cy;
  SavePosition();
}

LRESULT CGridDlg::OnMove(WPARAM, LPARAM) {
  SavePosition();
  return 0;
}

LRESULT CGridDlg::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_hIcon); }

void CGridDlg::SavePosition() {
  if (!GetSafeHwnd() || !IsWindowVisible() || IsIconic() || IsZoomed()) return;
  m_windowPos.Save(kSettingsKey);
}
