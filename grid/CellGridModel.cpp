// Creation, counts, cells and their attributes.

#include <algorithm>
#include <new>
#include <utility>

#include "grid/CellGrid.h"
#include "grid/GridWindowClass.h"
#include "grid/TextCell.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ToolTipCtrl.h"

CCellGrid::CCellGrid(int rows, int cols, int fixedRows, int fixedCols)
    : m_defaultCellClass(RUNTIME_CLASS(CTextCell)) {
  RegisterGridClass();
  CacheSystemColors();
  ReadWheelScrollLines();
  for (auto& cell : m_defaultCells) cell = std::make_unique<CDefaultCell>();
  InitDefaultCells();
  m_backgroundColor = m_cachedButtonShadow;
  SetRowCount(rows);
  SetColumnCount(cols);
  SetFixedRowCount(fixedRows);
  SetFixedColumnCount(fixedCols);
}

CCellGrid::~CCellGrid() {
  m_toolTip.reset();
  RemoveAllCells();
  DestroyWindow();
}

BOOL CCellGrid::RegisterGridClass() { return RegisterCellGridWindowClass(); }

namespace {

// The framework's word for an allocation that failed.
void ReportOutOfMemory() { MessageBox(nullptr, CString(u"Out of memory."), CString(), MB_OK | MB_ICONSTOP); }

}  // namespace

BOOL CCellGrid::Create(const RECT& rect, CWnd* parent, UINT id, DWORD style) {
  m_creating = true;
  const BOOL created = CWnd::Create(kCellGridWindowClass, nullptr, style, rect, parent, id);
  m_creating = false;
  if (!created) return FALSE;
  m_rowHeights.Resize(0, 0);
  m_rowHeights.Resize(m_rows, m_defaultCells[0]->GetDefaultHeight());
  m_colWidths.Resize(0, 0);
  m_colWidths.Resize(m_cols, m_defaultCells[0]->GetDefaultWidth());
  m_toolTip = std::make_unique<CToolTipCtrl>();
  m_toolTip->Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON);
  UpdateScrollBars();
  return TRUE;
}

void CCellGrid::PreSubclassWindow() {
  // A grid that takes over a dialog's control gets the sunken frame of a list; a grid made
  // by Create keeps the frame its caller asked for.
  static bool busy = false;
  if (m_creating || busy || !GetSafeHwnd()) return;
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

void CCellGrid::CacheSystemColors() {
  m_cachedWindowText = GetSysColor(COLOR_WINDOWTEXT);
  m_cachedWindow = GetSysColor(COLOR_WINDOW);
  m_cachedButtonFace = GetSysColor(COLOR_BTNFACE);
  m_cachedButtonShadow = GetSysColor(COLOR_BTNSHADOW);
}

void CCellGrid::ReadWheelScrollLines() {
  UINT lines = 3;
  m_wheelScrollLines = SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0) ? int(lines) : 3;
}

void CCellGrid::InitDefaultCells() {
  for (auto& cell : m_defaultCells) cell->SetGrid(this);
  CDefaultCell& normal = *m_defaultCells[0];
  normal.SetTextColor(m_cachedWindowText);
  normal.SetBackColor(m_cachedWindow);
  normal.SetAltTextColor(m_cachedWindowText);
  normal.SetAltBackColor(m_cachedWindow);
  for (int i = 1; i < 4; ++i) {
    CDefaultCell& fixed = *m_defaultCells[i];
    fixed.SetTextColor(m_cachedWindowText);
    fixed.SetBackColor(m_cachedButtonFace);
    fixed.SetAltTextColor(m_cachedWindowText);
    fixed.SetAltBackColor(m_cachedButtonFace);
  }
}

CDefaultCell* CCellGrid::GetDefaultCell(BOOL fixedRow, BOOL fixedCol) const {
  if (fixedRow && fixedCol) return m_defaultCells[3].get();
  if (fixedRow) return m_defaultCells[2].get();
  if (fixedCol) return m_defaultCells[1].get();
  return m_defaultCells[0].get();
}

// ---------------------------------------------------------------- counts

BOOL CCellGrid::SetRowCount(int rows) {
  if (rows == m_rows) return TRUE;
  if (rows < 0) return FALSE;
  // An open editor would report its text into a cell that moved or went.
  StopEditing();
  const int oldRows = m_rows;
  // Everything that may fail is made first; the grid changes only when all of it is there.
  std::vector<CellRow> added;
  try {
    CGridSizeSums heights = m_rowHeights;
    heights.Resize(rows, m_defaultCells[0]->GetDefaultHeight());
    if (!m_virtualMode) {
      added.reserve(std::size_t(std::max(0, rows - oldRows)));
      for (int r = oldRows; r < rows; ++r) {
        added.emplace_back(std::size_t(m_cols), nullptr);
        for (int c = 0; c < m_cols; ++c) added.back()[std::size_t(c)] = CreateCell(r, c);
      }
      m_cells.reserve(std::size_t(rows));
    }
    m_rowHeights = std::move(heights);
  } catch (const std::bad_alloc&) {
    for (CellRow& row : added)
      for (CCellBase* cell : row) delete cell;
    ReportOutOfMemory();
    return FALSE;
  }
  ForgetTopLeft();
  if (m_fixedRows > rows) m_fixedRows = rows;
  if (m_focusCell.row >= rows) m_focusCell = CCellAddr();
  if (!m_virtualMode) {
    for (int r = rows; r < oldRows; ++r)
      for (int c = 0; c < m_cols; ++c) DestroyCell(r, c);
    if (rows < oldRows) m_cells.resize(std::size_t(rows));
    for (CellRow& row : added) m_cells.push_back(std::move(row));
  }
  m_rows = rows;
  SetSortColumn(-1);
  m_modified = TRUE;
  UpdateScrollBars();
  RefreshWindow();
  return TRUE;
}

BOOL CCellGrid::SetColumnCount(int cols) {
  if (cols == m_cols) return TRUE;
  if (cols < 0) return FALSE;
  StopEditing();
  const int oldCols = m_cols;
  std::vector<CellRow> added;
  try {
    CGridSizeSums widths = m_colWidths;
    widths.Resize(cols, m_defaultCells[1]->GetDefaultWidth());
    if (!m_virtualMode && cols > oldCols) {
      added.reserve(std::size_t(m_rows));
      for (int r = 0; r < m_rows; ++r) {
        added.emplace_back();
        added.back().reserve(std::size_t(cols - oldCols));
        for (int c = oldCols; c < cols; ++c) added.back().push_back(CreateCell(r, c));
        m_cells[std::size_t(r)].reserve(std::size_t(cols));
      }
    }
    m_colWidths = std::move(widths);
  } catch (const std::bad_alloc&) {
    for (CellRow& row : added)
      for (CCellBase* cell : row) delete cell;
    ReportOutOfMemory();
    return FALSE;
  }
  ForgetTopLeft();
  if (m_fixedCols > cols) m_fixedCols = cols;
  if (m_focusCell.col >= cols) m_focusCell = CCellAddr();
  if (!m_virtualMode) {
    for (int r = 0; r < m_rows; ++r) {
      for (int c = cols; c < oldCols; ++c) DestroyCell(r, c);
      CellRow& row = m_cells[std::size_t(r)];
      row.resize(std::size_t(std::min(cols, oldCols)));
      if (!added.empty()) row.insert(row.end(), added[std::size_t(r)].begin(), added[std::size_t(r)].end());
    }
  }
  m_cols = cols;
  SetSortColumn(-1);
  m_modified = TRUE;
  UpdateScrollBars();
  RefreshWindow();
  return TRUE;
}

void CCellGrid::MarkFixedRows(int from, int to, bool fixed) {
  for (int r = from; r < to; ++r) {
    for (int c = 0; c < m_cols; ++c) {
      CCellBase* cell = GetCell(r, c);
      if (!cell) continue;
      if (fixed) {
        cell->SetState(cell->GetState() | GCS_FIXED | GCS_FIXEDROW);
        cell->SetTextColor(0xFFFFFF);
        cell->SetBackColor(0xFFFFFF);
      } else if (c < m_fixedCols) {
        cell->SetState(cell->GetState() & ~GCS_FIXEDROW);
      } else {
        // A cell that leaves the fixed area takes the colours of a new cell.
        cell->SetState(cell->GetState() & ~(GCS_FIXED | GCS_FIXEDROW));
        cell->SetTextColor(0);
        cell->SetBackColor(0xFFFFFF);
      }
    }
  }
}

void CCellGrid::MarkFixedColumns(int from, int to, bool fixed) {
  for (int r = 0; r < m_rows; ++r) {
    for (int c = from; c < to; ++c) {
      CCellBase* cell = GetCell(r, c);
      if (!cell) continue;
      if (fixed) {
        cell->SetState(cell->GetState() | GCS_FIXED | GCS_FIXEDCOL);
        cell->SetTextColor(0xFFFFFF);
        cell->SetBackColor(0xFFFFFF);
      } else if (r < m_fixedRows) {
        cell->SetState(cell->GetState() & ~GCS_FIXEDCOL);
      } else {
        cell->SetState(cell->GetState() & ~(GCS_FIXED | GCS_FIXEDCOL));
        cell->SetTextColor(0);
        cell->SetBackColor(0xFFFFFF);
      }
    }
  }
}

BOOL CCellGrid::SetFixedRowCount(int fixedRows) {
  if (fixedRows == m_fixedRows) return TRUE;
  if (fixedRows < 0) return FALSE;
  ClearSelection();
  SetFocusCell(-1, -1);
  ForgetTopLeft();
  if (fixedRows > m_rows && !SetRowCount(fixedRows)) return FALSE;
  if (!m_virtualMode) {
    if (fixedRows > m_fixedRows)
      MarkFixedRows(m_fixedRows, fixedRows, true);
    else
      MarkFixedRows(fixedRows, m_fixedRows, false);
  }
  m_fixedRows = fixedRows;
  UpdateScrollBars();
  RefreshWindow();
  return TRUE;
}

BOOL CCellGrid::SetFixedColumnCount(int fixedCols) {
  if (fixedCols == m_fixedCols) return TRUE;
  if (fixedCols < 0) return FALSE;
  ClearSelection();
  SetFocusCell(-1, -1);
  ForgetTopLeft();
  if (fixedCols > m_cols && !SetColumnCount(fixedCols)) return FALSE;
  if (!m_virtualMode) {
    if (fixedCols > m_fixedCols)
      MarkFixedColumns(m_fixedCols, fixedCols, true);
    else
      MarkFixedColumns(fixedCols, m_fixedCols, false);
  }
  m_fixedCols = fixedCols;
  UpdateScrollBars();
  RefreshWindow();
  return TRUE;
}

void CCellGrid::RemoveAllCells() {
  StopEditing();
  m_afterDraw.clear();
  ClearSelection();
  SetFocusCell(-1, -1);
  if (!m_virtualMode) {
    for (int r = 0; r < m_rows; ++r)
      for (int c = 0; c < m_cols; ++c) DestroyCell(r, c);
  }
  m_cells.clear();
  m_rowHeights.Resize(0, 0);
  m_colWidths.Resize(0, 0);
  m_rows = m_cols = m_fixedRows = m_fixedCols = 0;
  m_virtualSelected.clear();
  ForgetTopLeft();
  UpdateScrollBars();
  SetSortColumn(-1);
  m_modified = TRUE;
}

// ---------------------------------------------------------------- cells

CCellBase* CCellGrid::GetCell(int row, int col) const {
  if (!IsValid(row, col)) return nullptr;
  if (m_virtualMode) return GetVirtualCell(row, col);
  return m_cells[std::size_t(row)][std::size_t(col)];
}

CCellBase* CCellGrid::CreateCell(int row, int col) {
  if (!m_defaultCellClass || !m_defaultCellClass->IsDerivedFrom(RUNTIME_CLASS(CCellBase))) return nullptr;
  auto* cell = static_cast<CCellBase*>(m_defaultCellClass->CreateObject());
  if (!cell) return nullptr;
  cell->SetGrid(this);
  cell->SetCoords(row, col);
  DWORD state = cell->GetState();
  if (col < m_fixedCols) state |= GCS_FIXED | GCS_FIXEDCOL;
  if (row < m_fixedRows) state |= GCS_FIXED | GCS_FIXEDROW;
  cell->SetState(state);
  cell->SetFormat(cell->GetDefaultCell() ? cell->GetDefaultCell()->GetFormat() : 0);
  return cell;
}

void CCellGrid::DestroyCell(int row, int col) {
  if (m_virtualMode || !IsValid(row, col)) return;
  CCellBase*& slot = m_cells[std::size_t(row)][std::size_t(col)];
  if (!slot) return;
  SetCellState(row, col, 0);
  DeleteCell(slot);
  slot = nullptr;
}

void CCellGrid::DeleteCell(CCellBase* cell) {
  ForgetAfterDraw(cell);
  delete cell;
}

void CCellGrid::ForgetAfterDraw(const CCellBase* cell) {
  m_afterDraw.erase(std::remove(m_afterDraw.begin(), m_afterDraw.end(), cell), m_afterDraw.end());
}

void CCellGrid::AddAfterDraw(CCellBase* cell) { m_afterDraw.push_back(cell); }

BOOL CCellGrid::SetCell(int row, int col, CCellBase* cell, CCellBase** previous) {
  if (m_virtualMode || !IsValid(row, col) || !cell) return FALSE;
  cell->SetCoords(row, col);
  CCellBase*& slot = m_cells[std::size_t(row)][std::size_t(col)];
  // The old cell goes back to the caller, who now owns it.
  if (previous)
    *previous = slot;
  else
    DeleteCell(slot);
  slot = cell;
  return TRUE;
}

BOOL CCellGrid::SetCellType(int row, int col, const CRuntimeClass* cellClass) {
  if (m_virtualMode || !IsValid(row, col) || !cellClass ||
      !cellClass->IsDerivedFrom(RUNTIME_CLASS(CCellBase)))
    return FALSE;
  StopEditing();
  auto* cell = static_cast<CCellBase*>(cellClass->CreateObject());
  if (!cell) return FALSE;
  CCellBase*& slot = m_cells[std::size_t(row)][std::size_t(col)];
  if (slot) cell->CopyFrom(*slot);
  cell->SetCoords(row, col);
  CCellBase* old = slot;
  slot = cell;
  if (old) DeleteCell(old);
  return TRUE;
}

BOOL CCellGrid::SetDefaultCellType(const CRuntimeClass* cellClass) {
  if (!cellClass || !cellClass->IsDerivedFrom(RUNTIME_CLASS(CCellBase))) return FALSE;
  m_defaultCellClass = cellClass;
  return TRUE;
}

BOOL CCellGrid::SetCellText(int row, int col, LPCTSTR text) {
  if (m_virtualMode || !IsValid(row, col)) return FALSE;
  CCellBase* cell = GetCell(row, col);
  if (!cell) return FALSE;
  cell->SetText(text);
  if (col == m_sortColumn) SetSortColumn(-1);
  cell->SetState(cell->GetState() | GCS_MODIFIED);
  m_modified = TRUE;
  return TRUE;
}

CString CCellGrid::GetCellText(int row, int col) const {
  CCellBase* cell = GetCell(row, col);
  return cell ? cell->GetText() : CString();
}

UINT CCellGrid::GetCellState(int row, int col) const {
  CCellBase* cell = GetCell(row, col);
  return cell ? UINT(cell->GetState()) : 0;
}

BOOL CCellGrid::SetCellFormat(int row, int col, UINT format) {
  CCellBase* cell = m_virtualMode ? nullptr : GetCell(row, col);
  if (!cell) return FALSE;
  cell->SetFormat(format);
  return TRUE;
}

UINT CCellGrid::GetCellFormat(int row, int col) const {
  CCellBase* cell = GetCell(row, col);
  return cell ? UINT(cell->GetFormat()) : 0;
}

BOOL CCellGrid::SetCellBackColor(int row, int col, COLORREF color) {
  CCellBase* cell = m_virtualMode ? nullptr : GetCell(row, col);
  if (!cell) return FALSE;
  cell->SetBackColor(color);
  return TRUE;
}

void CCellGrid::SetModified(int row, int col) {
  if (col < 0 || col == m_sortColumn) SetSortColumn(-1);
  if (CCellBase* cell = m_virtualMode ? nullptr : GetCell(row, col))
    cell->SetState(cell->GetState() | GCS_MODIFIED);
  m_modified = TRUE;
}

BOOL CCellGrid::SetCellColumnRange(int row, int firstCol, int lastCol) {
  if (m_virtualMode || row < 0 || row >= m_rows || firstCol < 0 || lastCol >= m_cols || firstCol > lastCol)
    return FALSE;
  for (int c = firstCol; c <= lastCol; ++c) {
    if (CCellBase* cell = GetCell(row, c)) cell->SetColumnRange(firstCol, lastCol);
  }
  return TRUE;
}

BOOL CCellGrid::SetUseAltColors(BOOL on) { return std::exchange(m_useAltColors, on); }

BOOL CCellGrid::SetWholeRowScrolling(BOOL on) {
  const BOOL previous = std::exchange(m_wholeRowScrolling, on);
  m_topRowOffset = 0;
  ForgetTopLeft();
  return previous;
}

void CCellGrid::SetRedraw(BOOL allow, BOOL resetScrollBars) {
  const bool turnedOn = allow && !m_allowDraw;
  m_allowDraw = allow;
  if (turnedOn) RefreshWindow();
  if (resetScrollBars) UpdateScrollBars();
}

void CCellGrid::SetGridLines(int lines) {
  m_gridLines = lines;
  RefreshWindow();
}

void CCellGrid::EnableSelection(BOOL on) {
  ClearSelection();
  m_selectionEnabled = on;
}

void CCellGrid::SetSortColumn(int col) {
  if (m_sortColumn >= 0) InvalidateCellRect(0, m_sortColumn);
  if (col >= 0) InvalidateCellRect(0, col);
  m_sortColumn = col;
}
