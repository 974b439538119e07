// What the user does with a series cell: the hand cursor and underline over its links, the
// comment dialog and the unit and failure-mode menus that write the choice to the document;
// and the cell's copy text and printing.

#include "document/CommentDlg.h"
#include "document/ZedoDoc.h"
#include "grid/CellGrid.h"
#include "grid/PrintedTextWidths.h"
#include "platform/ui/Cursor.h"
#include "views/SeriesCell.h"

struct CSeriesCell::SCursors {
  HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
};

const CSeriesCell::SCursors& CSeriesCell::Cursors() {
  static const SCursors cursors;
  return cursors;
}

BOOL CSeriesCell::OnSetCursor() {
  CCellGrid* grid = GetGrid();
  if (!grid) return FALSE;
  CRect cell;
  grid->GetCellRect(m_row, m_col, cell);
  CPoint point;
  GetCursorPos(&point);
  grid->ScreenToClient(&point);
  point -= cell.TopLeft();
  int area = AREA_NONE;
  const bool hit = m_clickAreas.HitTest(point, nullptr, &area, nullptr, nullptr);
  if (!hit) area = AREA_NONE;
  SetCursor(hit ? Cursors().hand : Cursors().arrow);
  if (area != m_nHoveredArea) {
    m_nHoveredArea = area;
    InvalidateGrid();
  }
  return TRUE;
}

void CSeriesCell::OnClick(CPoint point) {
  int area = AREA_NONE;
  RECT region;
  if (!m_clickAreas.HitTest(point, nullptr, &area, nullptr, &region)) return;
  CCellGrid* grid = GetGrid();
  if (grid && IsBound()) {
    CRect cell;
    grid->GetCellRect(m_row, m_col, cell);
    CPoint popup(region.left + cell.left, region.bottom + cell.top);
    grid->ClientToScreen(&popup);
    grid->ClientToScreen(&cell);
    EditArea(area, popup, cell);
  }
  m_nHoveredArea = AREA_NONE;
}

void CSeriesCell::EditArea(int area, CPoint popup, const CRect& cell) {
  CCellGrid* grid = GetGrid();
  if (area == AREA_COMMENT) {
    CCommentDlg dialog(nullptr);
    dialog.SetComment(m_pDoc->GetComment(m_nMeasIndex));
    if (dialog.DoModal() == IDOK) m_pDoc->SetComment(m_nMeasIndex, dialog.GetComment());
    return;
  }
  bool chosen = false;
  if (area == AREA_UNIT) {
    BYTE unit = m_pDoc->GetUnit(m_nMeasIndex);
    chosen = m_pDoc->TrackUnitMenu(grid, popup.x, cell.left, cell.right, popup.y, unit);
    if (chosen) m_pDoc->SetUnit(m_nMeasIndex, unit);
  } else {
    const bool classArea = area < AREA_FAILURE_PERCENT_1;
    const int mode = area - (classArea ? AREA_FAILURE_CLASS_1 : AREA_FAILURE_PERCENT_1) + 1;
    CString classText;
    int percent = 0;
    BYTE classCode = 0;
    m_pDoc->GetFailureMode(m_nMeasIndex, mode, classText, percent, classCode);
    if (classArea) {
      chosen = m_pDoc->TrackFailureClassMenu(grid, popup.x, cell.left, cell.right, popup.y, classCode);
      if (chosen) m_pDoc->SetFailureClass(m_nMeasIndex, mode, classCode);
    } else {
      chosen = m_pDoc->TrackPercentMenu(grid, popup.x, cell.left, cell.right, popup.y, percent);
      if (chosen) m_pDoc->SetFailurePercent(m_nMeasIndex, mode, BYTE(percent));
    }
  }
  // Every view, this page too, refreshes the test from the document.
  if (chosen) m_pDoc->UpdateAllViews(nullptr, m_nMeasIndex);
}

CString CSeriesCell::GetCopyText() const {
  if (!IsBound()) return GetStoredCopyText();
  CString comment = m_pDoc->GetComment(m_nMeasIndex);
  comment.Replace(u"\r\n", u"<br>");
  comment.Replace(u"\"", u"&quot");
  const CString text = m_pDoc->GetDeviceText(m_nMeasIndex) + u"\t\"" + comment + u"\"\t";
  // The grid asks through a const call; the cell still keeps the last text it gave.
  const_cast<CSeriesCell*>(this)->CTextCell::SetCopyText(text);
  return text;
}

BOOL CSeriesCell::PrintCell(CDC* dc, int row, int col, CRect rect) { return Draw(dc, row, col, rect, TRUE, TRUE); }

int CSeriesCell::GetPrintWidth(CPrintedTextWidths& texts) {
  CDC* dc = texts.GetDC();
  if (!dc || !IsBound()) return 0;
  // A drawing on a printing context without a page, mapped and with the font as the printer
  // context is, finds the panels' width as the page will print them.
  CDC layout;
  if (!layout.CreateCompatibleDC(dc)) return 0;
  layout.m_bPrinting = TRUE;
  layout.SetMapMode(dc->GetMapMode());
  layout.SetWindowExt(dc->GetWindowExt());
  layout.SetViewportExt(dc->GetViewportExt());
  layout.SelectObject(dc->GetCurrentFont());
  Draw(&layout, m_row, m_col, CRect(0, 0, kMinimumLayoutWidth, kMinimumContentHeight), TRUE, TRUE);
  return m_nContentWidth + m_nMargin;
}
