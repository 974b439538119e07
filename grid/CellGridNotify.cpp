// Notices to the owner window, and virtual mode, in which the grid stores no cells and asks
// for each cell's contents.

#include "grid/CellBase.h"
#include "grid/CellGrid.h"
#include "grid/TextCell.h"

LRESULT CCellGrid::SendNotification(int row, int col, int code) {
  if (!GetSafeHwnd()) return 0;
  SGridCellNotify record;
  record.hdr.hwndFrom = GetSafeHwnd();
  record.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
  record.hdr.code = code;
  record.row = row;
  record.col = col;
  CWnd* owner = GetOwner();
  if (!owner || !owner->GetSafeHwnd()) return 0;
  return owner->SendMessage(WM_NOTIFY, WPARAM(GetDlgCtrlID()), LPARAM(&record));
}

LRESULT CCellGrid::SendDispInfoRequest(GRIDDISPINFO* info) {
  if (!GetSafeHwnd()) return 0;
  info->hdr.hwndFrom = GetSafeHwnd();
  info->hdr.idFrom = UINT_PTR(GetDlgCtrlID());
  info->hdr.code = GRIDN_GETDISPINFO;
  CWnd* owner = GetOwner();
  if (!owner || !owner->GetSafeHwnd()) return 0;
  return owner->SendMessage(WM_NOTIFY, WPARAM(GetDlgCtrlID()), LPARAM(info));
}

LRESULT CCellGrid::SendCacheHint(const CCellBlock& range) {
  if (!GetSafeHwnd()) return 0;
  SGridCacheHint hint;
  hint.hdr.hwndFrom = GetSafeHwnd();
  hint.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
  hint.hdr.code = GRIDN_CACHEHINT;
  hint.range = range;
  CWnd* owner = GetOwner();
  if (!owner || !owner->GetSafeHwnd()) return 0;
  return owner->SendMessage(WM_NOTIFY, WPARAM(GetDlgCtrlID()), LPARAM(&hint));
}

void CCellGrid::SetVirtualMode(BOOL on) {
  if (on == m_virtualMode) return;
  const int rows = m_rows, cols = m_cols, fixedRows = m_fixedRows, fixedCols = m_fixedCols;
  // The cells of one mode mean nothing in the other: the grid starts anew with its counts.
  RemoveAllCells();
  m_virtualMode = on;
  SetRowCount(rows);
  SetColumnCount(cols);
  SetFixedRowCount(fixedRows);
  SetFixedColumnCount(fixedCols);
}

CCellBase* CCellGrid::GetVirtualCell(int row, int col) const {
  if (!m_dispInfo) m_dispInfo = std::make_unique<GRIDDISPINFO>();
  if (!m_displayCell) m_displayCell = std::make_unique<CTextCell>();
  GRIDITEMINFO& item = m_dispInfo->item;
  const bool fixedRow = row < m_fixedRows;
  const bool fixedCol = col < m_fixedCols;
  CDefaultCell* def = GetDefaultCell(fixedRow, fixedCol);
  item = GRIDITEMINFO();
  item.row = row;
  item.col = col;
  item.mask = GIF_ALL;
  item.format = UINT(def->GetFormat());
  item.image = def->GetImage();
  item.backColor = def->GetBackColor();
  item.textColor = def->GetTextColor();
  item.data = 0;
  item.font = *def->GetFont();
  item.margin = def->GetMargin();
  if (IsCellSelected(row, col)) item.state |= GCS_SELECTED;
  if (fixedRow) item.state |= GCS_FIXED | GCS_FIXEDROW;
  if (fixedCol) item.state |= GCS_FIXED | GCS_FIXEDCOL;
  if (m_focusCell == CCellAddr(row, col)) item.state |= GCS_FOCUSED;
  auto* self = const_cast<CCellGrid*>(this);
  if (m_callback)
    m_callback(m_dispInfo.get(), m_callbackData);
  else
    self->SendDispInfoRequest(m_dispInfo.get());
  CCellBase& cell = *m_displayCell;
  cell.SetState(item.state);
  cell.SetFormat(item.format);
  cell.SetImage(item.image);
  cell.SetBackColor(item.backColor);
  cell.SetTextColor(item.textColor);
  cell.SetData(item.data);
  cell.SetFont(&item.font);
  cell.SetMargin(item.margin);
  cell.SetText(item.text);
  cell.SetGrid(self);
  return &cell;
}
