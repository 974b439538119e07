// The step grid's notices: they change nothing and only leave trace lines in the hidden field,
// except that the edit notices may veto when the grid's edit options ask for it.

#include "calibration/GridDlg.h"
#include "grid/GridItemInfo.h"
#include "resources/ResourceIds.h"

BOOL CGridDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header && int(wParam) == IDC_CAL_GRID) {
    *result = TraceGridNotice(header);
    return TRUE;
  }
  return CDialog::OnNotify(wParam, lParam, result);
}

LRESULT CGridDlg::TraceGridNotice(const NMHDR* header) {
  const int code = int(header->code);
  if (code == GRIDN_CACHEHINT) {
    const CCellBlock& range = reinterpret_cast<const SGridCacheHint*>(header)->range;
    CString text;
    text.Format(u"Cache hint received for cell range %d,%d - %d,%d\n", range.minRow, range.minCol, range.maxRow, range.maxCol);
    TraceMessage(text);
    return 0;
  }
  if (code == GRIDN_GETDISPINFO) {
    auto* info = reinterpret_cast<GRIDDISPINFO*>(const_cast<NMHDR*>(header));
    info->item.text.Format(u"Message %d,%d", info->item.row, info->item.col);
    return 0;
  }
  const auto* cell = reinterpret_cast<const SGridCellNotify*>(header);
  const int row = cell->row;
  const int col = cell->col;
  CString text;
  LRESULT reply = 0;
  switch (code) {
    case GRIDN_CLICK:
      text.Format(u"Clicked on row %d, col %d\n", row, col);
      break;
    case GRIDN_DBLCLK:
      text.Format(u"Double Clicked on row %d, col %d\n", row, col);
      break;
    case GRIDN_RCLICK:
      text.Format(u"Right button click on row %d, col %d, text %s\n", row, col, m_grid.GetCellText(row, col));
      break;
    case GRIDN_BEGINLABELEDIT:
      text.Format(u"Start Edit on row %d, col %d\n", row, col);
      reply = m_rejectEditAttempts ? -1 : 0;
      break;
    case GRIDN_ENDLABELEDIT:
      text.Format(u"End Edit on row %d, col %d\n", row, col);
      reply = m_rejectEditChanges ? -1 : 0;
      break;
    case GRIDN_SELCHANGING:
      text.Format(u"Start Selection Change on row %d, col %d (%d Selected)\n", row, col, m_grid.GetSelectedCount());
      break;
    case GRIDN_SELCHANGED:
      text.Format(u"End Selection Change on row %d, col %d (%d Selected)\n", row, col, m_grid.GetSelectedCount());
      break;
    case GRIDN_BEGINDRAG:
      text.Format(u"Begin Drag row %d, col %d\n", row, col);
      break;
    default:
      return 0;
  }
  TraceMessage(text);
  return reply;
}

void CGridDlg::OnContextMenu(CWnd* window, CPoint point) {
  if (window != &m_grid) return;
  CPoint client = point;
  m_grid.ScreenToClient(&client);
  const CCellAddrOrg cell = m_grid.GetCellAtPoint(client);
  CString text;
  text.Format(u"Context menu called on row %d, col %d\n", cell.row, cell.col);
  TraceMessage(text);
}

void CGridDlg::TraceMessage(const CString& text) {
  if (!m_messageField.GetSafeHwnd()) return;
  CString line = text;
  line.Replace(u"\n", u"\r\n");
  // The caret goes to the end, so that the field scrolls to show the new last lines.
  const int end = m_messageField.GetWindowTextLength();
  m_messageField.SetSel(end, end);
  m_messageField.ReplaceSel(line);
}
