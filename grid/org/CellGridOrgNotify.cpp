// Notices to the owner window, and virtual mode, in which the grid stores no cells and asks
// for each cell's contents through the row and column orders.

#include "grid/org/CellBaseOrg.h"
#include "grid/org/CellGridOrg.h"
#include "grid/org/TextCellOrg.h"

CWnd* CCellGridOrg::NotifyTarget() const {
  if (!GetSafeHwnd()) return nullptr;
  CWnd* target = GetOwner();
  return target && target->GetSafeHwnd() ? target : nullptr;
}

namespace {

// Fills the record's header and sends it to the window that gets the grid's notices.
template <class Record>
LRESULT SendRecord(CWnd& grid, CWnd* target, int code, Record& record) {
  if (!target) return 0;
  record.hdr.hwndFrom = grid.GetSafeHwnd();
  record.hdr.idFrom = UINT_PTR(grid.GetDlgCtrlID());
  record.hdr.code = code;
  return target->SendMessage(WM_NOTIFY, WPARAM(grid.GetDlgCtrlID()), LPARAM(&record));
}

}  // namespace

LRESULT CCellGridOrg::SendNotification(int row, int col, int code) {
  SGridCellNotify record;
  record.row = row;
  record.col = col;
  return SendRecord(*this, NotifyTarget(), code, record);
}

LRESULT CCellGridOrg::SendCacheHint(const CCellBlock& range) {
  SGridCacheHint hint;
  hint.range = range;
  return SendRecord(*this, NotifyTarget(), GRIDN_CACHEHINT, hint);
}

void CCellGridOrg::SetVirtualMode(BOOL on) {
  DeleteAllCells();
  m_virtualMode = on;
  if (!on) return;
  m_editable = FALSE;
  m_autoSizeStyle = 1;
  m_fixedColClickSelectsRows = FALSE;
  m_fixedRowClickSelectsCols = FALSE;
  ResetRowOrder();
}

CCellBaseOrg* CCellGridOrg::GetVirtualCell(int row, int col) const {
  // One record and one cell for the whole process, refilled for every address asked for.
  // Made on first use and kept to the end: the cell's font must not outlive the drawing layer.
  static GRIDDISPINFO& info = *new GRIDDISPINFO();
  static CTextCellOrg& cell = *new CTextCellOrg();
  GRIDITEMINFO& item = info.item;
  const bool fixedRow = row < m_fixedRows;
  const bool fixedCol = col < m_fixedCols;
  CDefaultCellOrg* def = GetDefaultCell(fixedRow, fixedCol);
  item = GRIDITEMINFO();
  item.row = row;
  item.col = col;
  item.mask = 0xFFFFFFFF;
  item.format = UINT(def->GetFormat());
  item.image = def->GetImage();
  item.backColor = def->GetBackColor();
  item.textColor = def->GetTextColor();
  item.data = def->GetData();
  item.font = *def->GetFont();
  item.margin = def->GetMargin();
  if (IsCellSelected(row, col)) item.state |= GCS_SELECTED;
  if (fixedRow) item.state |= GCS_FIXED | GCS_FIXEDROW;
  if (fixedCol) item.state |= GCS_FIXED | GCS_FIXEDCOL;
  if (m_focusCell == CCellAddrOrg(row, col)) item.state |= GCS_FOCUSED;
  if (!m_destroying) {
    item.row = std::size_t(row) < m_rowOrder.size() ? m_rowOrder[std::size_t(row)] : row;
    item.col = m_columnOrder[std::size_t(col)];
    if (m_callback)
      m_callback(&info, m_callbackData);
    else
      SendRecord(*const_cast<CCellGridOrg*>(this), NotifyTarget(), GRIDN_GETDISPINFO, info);
    item.row = row;
    item.col = col;
  }
  cell.SetFormat(item.format);
  cell.SetImage(item.image);
  cell.SetBackColor(item.backColor);
  cell.SetTextColor(item.textColor);
  cell.SetData(item.data);
  cell.SetState(item.state);
  cell.SetFont(&item.font);
  cell.SetMargin(item.margin);
  cell.SetText(item.text);
  cell.SetGrid(const_cast<CCellGridOrg*>(this));
  return &cell;
}
