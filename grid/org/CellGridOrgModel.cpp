// Creation, counts, cells and their attributes.

#include <algorithm>
#include <new>
#include <numeric>

#include "grid/GridWindowClass.h"
#include "grid/org/CellGridOrg.h"
#include "grid/org/TextCellOrg.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/MessageBox.h"

namespace {

// The framework's word for an allocation that failed.
void ReportOutOfMemory() { MessageBox(nullptr, CString(u"Out of memory."), CString(), MB_OK | MB_ICONSTOP); }

}  // namespace

CCellGridOrg::CCellGridOrg(int rows, int cols, int fixedRows, int fixedCols)
    : m_defaultCellClass(RUNTIME_CLASS(CTextCellOrg)) {
  RegisterGridClass();
  CacheSystemColors();
  UINT lines = 3;
  m_wheelScrollLines = SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0) ? int(lines) : 3;
  for (auto& cell : m_defaultCells) cell = std::make_unique<CDefaultCellOrg>();
  InitDefaultCells();
  m_backgroundColor = m_cachedButtonShadow;
  SetRowCount(rows);
  SetColumnCount(cols);
  SetFixedRowCount(fixedRows);
  SetFixedColumnCount(fixedCols);
}

CCellGridOrg::~CCellGridOrg() {
  m_destroying = 1;
  DeleteAllCells();
  if (m_titleTips && m_titleTip.GetSafeHwnd()) m_titleTip.DestroyWindow();
  DestroyWindow();
}

BOOL CCellGridOrg::RegisterGridClass() { return RegisterCellGridWindowClass(); }

void CCellGridOrg::PreSubclassWindow() {
  static bool busy = false;
  m_titleTip.SetParentWindow(this);
  if (busy || !GetSafeHwnd()) return;
  busy = true;
  ModifyStyleEx(0, WS_EX_CLIENTEDGE);
  CRect rect;
  GetWindowRect(rect);
  if (GetParent()) GetParent()->ScreenToClient(rect);
  rect.InflateRect(1, 1);
  MoveWindow(rect, TRUE);
  rect.DeflateRect(1, 1);
  MoveWindow(rect, TRUE);
  busy = false;
}

void CCellGridOrg::CacheSystemColors() {
  m_cachedWindowText = GetSysColor(COLOR_WINDOWTEXT);
  m_cachedWindow = GetSysColor(COLOR_WINDOW);
  m_cachedButtonFace = GetSysColor(COLOR_BTNFACE);
  m_cachedButtonShadow = GetSysColor(COLOR_BTNSHADOW);
}

void CCellGridOrg::InitDefaultCells() {
  for (auto& cell : m_defaultCells) cell->SetGrid(this);
  m_defaultCells[0]->SetTextColor(m_cachedWindowText);
  m_defaultCells[0]->SetBackColor(m_cachedWindow);
  for (int i = 1; i < 4; ++i) {
    m_defaultCells[i]->SetTextColor(m_cachedWindowText);
    m_defaultCells[i]->SetBackColor(m_cachedButtonFace);
  }
}

CDefaultCellOrg* CCellGridOrg::GetDefaultCell(BOOL fixedRow, BOOL fixedCol) const {
  if (fixedRow && fixedCol) return m_defaultCells[3].get();
  if (fixedRow) return m_defaultCells[2].get();
  if (fixedCol) return m_defaultCells[1].get();
  return m_defaultCells[0].get();
}

void CCellGridOrg::RefreshWindow() {
  if (GetSafeHwnd() && m_allowDraw) Invalidate();
}

void CCellGridOrg::ResetColumnOrder() {
  m_columnOrder.resize(std::size_t(m_cols));
  std::iota(m_columnOrder.begin(), m_columnOrder.end(), 0);
}

void CCellGridOrg::ResetRowOrder() {
  m_rowOrder.resize(std::size_t(m_rows));
  std::iota(m_rowOrder.begin(), m_rowOrder.end(), 0);
}

// ---------------------------------------------------------------- counts

BOOL CCellGridOrg::SetRowCount(int rows) {
  if (rows < 0) return FALSE;
  if (rows == m_rows) {
    SetModified(TRUE, -1, -1);
    return TRUE;
  }
  const int oldRows = m_rows;
  std::vector<CellRow> added;
  try {
    CGridSizeSums heights = m_rowHeights;
    heights.Resize(rows, m_defaultCells[0]->GetDefaultHeight());
    if (!m_virtualMode) {
      for (int r = oldRows; r < rows; ++r) {
        added.emplace_back(std::size_t(m_cols), nullptr);
        for (int c = 0; c < m_cols; ++c) added.back()[std::size_t(c)] = CreateCell(r, c);
      }
      m_cells.reserve(std::size_t(rows));
    }
    m_rowHeights = std::move(heights);
  } catch (const std::bad_alloc&) {
    for (CellRow& row : added)
      for (CCellBaseOrg* cell : row) delete cell;
    ReportOutOfMemory();
    return FALSE;
  }
  ForgetTopLeft();
  if (m_fixedRows > rows) m_fixedRows = rows;
  if (m_focusCell.row >= rows) m_focusCell = CCellAddrOrg();
  if (!m_virtualMode) {
    for (int r = rows; r < oldRows; ++r)
      for (int c = 0; c < m_cols; ++c) DestroyCell(r, c);
    if (rows < oldRows) m_cells.resize(std::size_t(rows));
    for (CellRow& row : added) m_cells.push_back(std::move(row));
  }
  m_rows = rows;
  if (m_virtualMode) {
    ResetRowOrder();
    // Cells that are gone cannot stay selected: copying would refuse the whole selection.
    for (auto it = m_selected.begin(); it != m_selected.end();)
      it = it->first >= rows ? m_selected.erase(it) : std::next(it);
  }
  SetModified(TRUE, -1, -1);
  UpdateScrollBars();
  RefreshWindow();
  return TRUE;
}

BOOL CCellGridOrg::SetColumnCount(int cols) {
  if (cols < 0) return FALSE;
  const int oldCols = m_cols;
  std::vector<CellRow> added;
  try {
    if (cols != oldCols) {
      CGridSizeSums widths;
      // Stored columns that stay keep their widths; the order is reset below.
      widths.Resize(cols, m_defaultCells[1]->GetDefaultWidth());
      for (int c = 0; c < std::min(cols, oldCols); ++c) {
        const auto displayed = std::find(m_columnOrder.begin(), m_columnOrder.end(), c);
        widths.Set(c, m_colWidths.Get(int(displayed - m_columnOrder.begin())));
      }
      if (!m_virtualMode && cols > oldCols) {
        for (int r = 0; r < m_rows; ++r) {
          added.emplace_back();
          for (int c = oldCols; c < cols; ++c) added.back().push_back(CreateCell(r, c));
        }
      }
      m_colWidths = std::move(widths);
    }
  } catch (const std::bad_alloc&) {
    for (CellRow& row : added)
      for (CCellBaseOrg* cell : row) delete cell;
    ReportOutOfMemory();
    return FALSE;
  }
  ForgetTopLeft();
  if (m_fixedCols > cols) m_fixedCols = cols;
  if (m_focusCell.col >= cols) m_focusCell = CCellAddrOrg();
  if (!m_virtualMode && cols != oldCols) {
    for (int r = 0; r < m_rows; ++r) {
      CellRow& row = m_cells[std::size_t(r)];
      for (int c = cols; c < oldCols; ++c) delete row[std::size_t(c)];
      row.resize(std::size_t(std::min(cols, oldCols)));
      if (!added.empty()) row.insert(row.end(), added[std::size_t(r)].begin(), added[std::size_t(r)].end());
    }
  }
  m_cols = cols;
  for (auto it = m_selected.begin(); it != m_selected.end();)
    it = it->second >= cols ? m_selected.erase(it) : std::next(it);
  ResetColumnOrder();
  ForgetSortColumn();
  m_modified = TRUE;
  UpdateScrollBars();
  RefreshWindow();
  return TRUE;
}

void CCellGridOrg::MarkFixed(bool rows, int from, int to, bool fixed) {
  const UINT bit = rows ? GCS_FIXEDROW : GCS_FIXEDCOL;
  for (int r = 0; r < m_rows; ++r) {
    for (int c = 0; c < m_cols; ++c) {
      const int index = rows ? r : c;
      if (index < from || index >= to) continue;
      CCellBaseOrg* cell = StoredCell(r, c);
      if (!cell) continue;
      DWORD state = cell->GetState();
      // A cell stays fixed while it lies in the other kind of fixed area.
      const bool stillFixed = rows ? c < m_fixedCols : r < m_fixedRows;
      if (fixed)
        state |= GCS_FIXED | bit;
      else
        state &= ~(bit | (stillFixed ? 0 : GCS_FIXED));
      cell->SetState(state);
      cell->SetTextColor(CLR_DEFAULT);
      cell->SetBackColor(CLR_DEFAULT);
    }
  }
}

BOOL CCellGridOrg::SetFixedRowCount(int fixedRows) {
  if (fixedRows < 0) return FALSE;
  m_previousSelection.clear();
  SetSelectedRange(-1, -1, -1, -1, FALSE, TRUE);
  SetFocusCell(-1, -1);
  ForgetTopLeft();
  if (fixedRows > m_rows && !SetRowCount(fixedRows)) return FALSE;
  if (fixedRows > m_fixedRows)
    MarkFixed(true, m_fixedRows, fixedRows, true);
  else
    MarkFixed(true, fixedRows, m_fixedRows, false);
  m_fixedRows = fixedRows;
  RefreshWindow();
  return TRUE;
}

BOOL CCellGridOrg::SetFixedColumnCount(int fixedCols) {
  if (fixedCols < 0) return FALSE;
  m_previousSelection.clear();
  SetSelectedRange(-1, -1, -1, -1, FALSE, TRUE);
  SetFocusCell(-1, -1);
  ForgetTopLeft();
  if (fixedCols > m_cols && !SetColumnCount(fixedCols)) return FALSE;
  if (fixedCols > m_fixedCols)
    MarkFixed(false, m_fixedCols, fixedCols, true);
  else
    MarkFixed(false, fixedCols, m_fixedCols, false);
  m_fixedCols = fixedCols;
  RefreshWindow();
  return TRUE;
}

BOOL CCellGridOrg::DeleteAllCells() {
  m_previousSelection.clear();
  SetSelectedRange(-1, -1, -1, -1, FALSE, TRUE);
  SetFocusCell(-1, -1);
  m_rowHeights.Resize(0, 0);
  m_colWidths.Resize(0, 0);
  if (!m_virtualMode) {
    for (int r = 0; r < m_rows; ++r)
      for (int c = 0; c < m_cols; ++c) DestroyCell(r, c);
  }
  m_cells.clear();
  m_rowOrder.clear();
  m_columnOrder.clear();
  m_selected.clear();
  m_rows = m_cols = m_fixedRows = m_fixedCols = 0;
  ForgetTopLeft();
  UpdateScrollBars();
  SetModified(TRUE, -1, -1);
  return TRUE;
}

// ---------------------------------------------------------------- cells

CCellBaseOrg* CCellGridOrg::StoredCell(int row, int col) const {
  if (m_virtualMode || !IsValid(row, col)) return nullptr;
  return m_cells[std::size_t(row)][std::size_t(m_columnOrder[std::size_t(col)])];
}

CCellBaseOrg* CCellGridOrg::GetCell(int row, int col) const {
  if (!IsValid(row, col)) return nullptr;
  if (m_virtualMode) return GetVirtualCell(row, col);
  return StoredCell(row, col);
}

CCellBaseOrg* CCellGridOrg::CreateCell(int row, int col) {
  if (!m_defaultCellClass || !m_defaultCellClass->IsDerivedFrom(RUNTIME_CLASS(CCellBaseOrg))) return nullptr;
  auto* cell = static_cast<CCellBaseOrg*>(m_defaultCellClass->CreateObject());
  if (!cell) return nullptr;
  cell->SetGrid(this);
  cell->SetCoords(row, col);
  DWORD state = cell->GetState();
  if (col < m_fixedCols) state |= GCS_FIXED | GCS_FIXEDCOL;
  if (row < m_fixedRows) state |= GCS_FIXED | GCS_FIXEDROW;
  cell->SetState(state);
  CDefaultCellOrg* def = cell->GetDefaultCell();
  cell->SetFormat(def ? def->GetFormat() : 0);
  return cell;
}

void CCellGridOrg::DestroyCell(int row, int col) {
  if (m_virtualMode || !IsValid(row, col)) return;
  CCellBaseOrg*& slot = m_cells[std::size_t(row)][std::size_t(m_columnOrder[std::size_t(col)])];
  if (!slot) return;
  SetCellState(row, col, 0);
  delete slot;
  slot = nullptr;
}

BOOL CCellGridOrg::SetCell(int row, int col, CCellBaseOrg* cell) {
  if (m_virtualMode || !IsValid(row, col) || !cell) return FALSE;
  CCellBaseOrg*& slot = m_cells[std::size_t(row)][std::size_t(m_columnOrder[std::size_t(col)])];
  delete slot;
  slot = cell;
  cell->SetCoords(row, col);
  return TRUE;
}

BOOL CCellGridOrg::SetCellType(int row, int col, const CRuntimeClass* cellClass) {
  if (m_virtualMode || !IsValid(row, col) || !cellClass || !cellClass->IsDerivedFrom(RUNTIME_CLASS(CCellBaseOrg)))
    return FALSE;
  auto* cell = static_cast<CCellBaseOrg*>(cellClass->CreateObject());
  if (!cell) return FALSE;
  CCellBaseOrg*& slot = m_cells[std::size_t(row)][std::size_t(m_columnOrder[std::size_t(col)])];
  if (slot) cell->CopyFrom(*slot);
  cell->SetCoords(row, col);
  delete slot;
  slot = cell;
  return TRUE;
}

BOOL CCellGridOrg::SetCellText(int row, int col, LPCTSTR text) {
  CCellBaseOrg* cell = StoredCell(row, col);
  if (!cell) return FALSE;
  cell->SetText(text);
  SetModified(TRUE, row, col);
  return TRUE;
}

CString CCellGridOrg::GetCellText(int row, int col) const {
  CCellBaseOrg* cell = GetCell(row, col);
  return cell ? cell->GetText() : CString();
}

UINT CCellGridOrg::GetCellState(int row, int col) const {
  CCellBaseOrg* cell = GetCell(row, col);
  return cell ? UINT(cell->GetState()) : 0;
}

BOOL CCellGridOrg::ApplyCellInfo(const GRIDITEMINFO* item) {
  if (!item) return FALSE;
  CCellBaseOrg* cell = StoredCell(item->row, item->col);
  if (!cell) return FALSE;
  SetModified(TRUE, item->row, item->col);
  if (item->mask & GIF_TEXT) cell->SetText(item->text);
  if (item->mask & GIF_PARAM) cell->SetData(item->data);
  if (item->mask & GIF_IMAGE) cell->SetImage(item->image);
  if (item->mask & GIF_STATE) SetCellState(item->row, item->col, item->state);
  if (item->mask & GIF_FORMAT) cell->SetFormat(item->format);
  if (item->mask & GIF_BKCLR) cell->SetBackColor(item->backColor);
  if (item->mask & GIF_FGCLR) cell->SetTextColor(item->textColor);
  if (item->mask & GIF_FONT) cell->SetFont(&item->font);
  if (item->mask & GIF_MARGIN) cell->SetMargin(item->margin);
  return TRUE;
}

void CCellGridOrg::ForgetSortColumn() {
  if (m_sortColumn >= 0) InvalidateCellRect(0, m_sortColumn);
  m_sortColumn = -1;
}

void CCellGridOrg::SetModified(BOOL modified, int row, int col) {
  if (col < 0 || col == m_sortColumn) ForgetSortColumn();
  if (row < 0 || col < 0) {
    m_modified = modified;
  } else if (CCellBaseOrg* cell = StoredCell(row, col)) {
    const DWORD state = cell->GetState();
    cell->SetState(modified ? state | GCS_MODIFIED : state & ~GCS_MODIFIED);
    if (modified) m_modified = TRUE;
  }
  if (m_modified || m_virtualMode) return;
  for (CellRow& row : m_cells)
    for (CCellBaseOrg* cell : row)
      if (cell) cell->SetState(cell->GetState() & ~GCS_MODIFIED);
}
