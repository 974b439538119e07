// Printing: the grid scaled to the paper width, its rows broken into pages in groups that stay
// together, each page with a header band, the heading row, the rows and a footer band.

#include <algorithm>
#include <memory>

#include "grid/CellBase.h"
#include "grid/CellGrid.h"
#include "grid/GridPrintBands.h"
#include "grid/GridPrintout.h"
#include "platform/base/DateTimePicture.h"
#include "platform/gdi/Pen.h"
#include "platform/res/StringTable.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/PrintInfo.h"

namespace {

// The 52 letters whose mean width is the printout's character width (the second 'S' is part
// of the sample as the layout has always measured it).
constexpr SPrinterFont kPrinterFont{-11, u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ"};

}  // namespace

void CCellGrid::Print(CPrintDialog* dialog, const SGridPrintInfo* record, int rowsPerGroup) {
  std::unique_ptr<CPrintDialog> ownDialog;
  if (!dialog) {
    ownDialog = std::make_unique<CPrintDialog>(
        FALSE, PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE, this);
    if (ownDialog->DoModal() != IDOK) return;
    dialog = ownDialog.get();
  }
  if (!dialog->GetPrinterDC()) return;
  const BOOL selectionOnly = dialog->PrintSelection();
  CDC dc;
  dc.Attach(dialog->GetPrinterDC());
  dc.m_bPrinting = TRUE;
  CString documentName = ResString(AFX_IDS_APP_TITLE);
  if (documentName.IsEmpty()) documentName = NearestCaption(GetParent());
  if (dc.StartDoc(documentName) > 0) {
    CPrintInfo info;
    info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    // Without a page count from the beginning of printing nothing is printed.
    info.SetMaxPage(0);
    OnBeginPrinting(&dc, &info, selectionOnly, rowsPerGroup);
    bool ended = true;
    for (UINT page = info.GetMinPage(); page <= info.GetMaxPage() && ended; ++page) {
      dc.StartPage();
      info.m_nCurPage = page;
      OnPrint(&dc, &info, record, selectionOnly, rowsPerGroup);
      ended = dc.EndPage() > 0;
    }
    OnEndPrinting(&dc, &info);
    if (ended)
      dc.EndDoc();
    else
      dc.AbortDoc();
  }
  dc.Detach();
  dialog->DeletePrinterDC();
}

int CCellGrid::PrintedRowHeight(int row, BOOL selectionOnly) const {
  if (selectionOnly && !RowHasSelectedCell(row, 0, m_cols - 1)) return 0;
  return GetRowHeight(row);
}

void CCellGrid::OnBeginPrinting(CDC* dc, CPrintInfo* info, BOOL selectionOnly, int rowsPerGroup) {
  if (!dc || !info) return;
  m_printout.Begin(
      *this, dc, info, kPrinterFont, m_printAtScreenSize != FALSE, rowsPerGroup,
      [this, selectionOnly](int row) { return PrintedRowHeight(row, selectionOnly); },
      [this](CPrintedTextWidths& texts, int row, int col) { return PrintedCellNeed(texts, row, col); });
}

int CCellGrid::PrintedCellNeed(CPrintedTextWidths& texts, int row, int col) {
  CCellBase* cell = GetCell(row, col);
  if (!cell) return 0;
  if (!cell->HasColumnRange()) {
    cell->SetCoords(row, col);
    return cell->GetPrintWidth(texts);
  }
  if (col != std::min(cell->GetLastRangeColumn(), m_cols - 1)) return 0;
  // The first cell of a range prints across all its columns; what the others lack widens the
  // last of them.
  const int first = cell->GetFirstRangeColumn();
  CCellBase* spanning = GetCell(row, first);
  if (!spanning) return 0;
  spanning->SetCoords(row, first);
  return spanning->GetPrintWidth(texts) - m_printout.GetSpanWidth(first, col);
}

int CCellGrid::PrintedColumnWidth(int col, int row) const {
  if (const CCellBase* cell = row >= 0 && row < m_rows ? GetCell(row, col) : nullptr;
      cell && cell->HasColumnRange()) {
    if (col != cell->GetFirstRangeColumn()) return 0;
    return m_printout.GetSpanWidth(col, cell->GetLastRangeColumn() + 1);
  }
  return m_printout.GetColumnWidth(col);
}

void CCellGrid::OnPrint(CDC* dc, CPrintInfo* info, const SGridPrintInfo* record, BOOL selectionOnly, int) {
  const std::vector<int>& rowStarts = m_printout.GetRowStarts();
  const std::vector<int>& columnStarts = m_printout.GetColumnStarts();
  if (!dc || !info || rowStarts.empty() || columnStarts.empty()) return;
  SGridPrintMetrics& m = m_printout.GetMetrics();
  const int fixedHeight = GetFixedRowsHeight();
  CPrintPageFrame frame(dc, m_printout);
  info->m_rectDraw.SetRect(0, 0, frame.GetBandWidth(), frame.GetHeaderHeight());
  PrintPageHeader(dc, info, record);
  frame.MoveToBody(fixedHeight);

  const int horizontal = m.horizontalPages > 0 ? m.horizontalPages : 1;
  const int current = int(info->m_nCurPage);
  const int verticalPage = current / horizontal + (current % horizontal ? 1 : 0);
  const int horizontalPage = (current % horizontal ? current % horizontal : horizontal) - 1;
  if (verticalPage >= 1 && verticalPage <= int(rowStarts.size()) &&
      horizontalPage < int(columnStarts.size())) {
    m.firstRow = rowStarts[std::size_t(verticalPage - 1)];
    m.firstColumn = columnStarts[std::size_t(horizontalPage)];
    const int endRow = verticalPage < int(rowStarts.size()) ? rowStarts[std::size_t(verticalPage)] : m_rows;
    BOOL firstLine = TRUE;
    if (m_rows > 0) PrintRowCells(0, m_cols, 0, CRect(0, -fixedHeight - 1, 0, -1), dc, firstLine);
    PrintBody(dc, m.firstRow, endRow, selectionOnly);
  }

  info->m_rectDraw.bottom = frame.GetFooterHeight();
  frame.MoveToFooter();
  PrintPageFooter(dc, info, record);
}

void CCellGrid::PrintBody(CDC* dc, int firstRow, int endRow, BOOL selectionOnly) {
  const SGridPrintMetrics& m = m_printout.GetMetrics();
  CPen pen(PS_SOLID, 1, m_gridLineColor);
  int top = 0;
  for (int r = firstRow; r < endRow; ++r) {
    const int height = PrintedRowHeight(r, selectionOnly);
    if (height == 0) continue;
    // Only a row taller than the whole body, alone on its page, reaches past it: it is cut.
    const int bottom = std::min(top + height - 1, m.bodyHeight - 1);
    if (bottom < top) break;
    int left = 0;
    for (int c = m.firstColumn; c < m_cols; ++c) {
      const int width = PrintedColumnWidth(c, r);
      if (width <= 0) continue;
      const CRect rect(left, top, left + width - 1, bottom);
      if (rect.right > m.printableWidth) break;
      if (CCellBase* cell = GetCell(r, c)) {
        cell->SetCoords(r, c);
        cell->PrintCell(dc, r, c, rect);
      }
      CPen* previousPen = dc->SelectObject(&pen);
      PrintCellLines(dc, rect, r == 0, c == 0);
      dc->SelectObject(previousPen);
      left = rect.right + 1;
    }
    top = bottom + 1;
  }
}

void CCellGrid::PrintCellLines(CDC* dc, const CRect& rect, bool top, bool left) {
  if (m_gridLines == 1 || m_gridLines == 3) {
    dc->MoveTo(rect.left, rect.bottom);
    dc->LineTo(rect.right + 1, rect.bottom);
    if (top) {
      dc->MoveTo(rect.left, rect.top);
      dc->LineTo(rect.right + 1, rect.top);
    }
  }
  if (m_gridLines == 2 || m_gridLines == 3) {
    dc->MoveTo(rect.right, rect.top);
    dc->LineTo(rect.right, rect.bottom + 1);
    if (left) {
      dc->MoveTo(rect.left, rect.top);
      dc->LineTo(rect.left, rect.bottom + 1);
    }
  }
}

void CCellGrid::PrintRowCells(int firstCol, int endCol, int row, const CRect& rect, CDC* dc, BOOL& firstLine) {
  if (!dc || row < 0 || row >= m_rows) return;
  CPen pen(PS_SOLID, 1, m_gridLineColor);
  int left = rect.left;
  for (int c = std::max(firstCol, 0); c < endCol && c < m_cols; ++c) {
    const int width = m_printout.GetColumnWidth(c);
    if (width <= 0) continue;
    const CRect cellRect(left, rect.top, left + width - 1, rect.bottom);
    if (cellRect.right > m_printout.GetMetrics().printableWidth) break;
    if (CCellBase* cell = GetCell(row, c)) {
      cell->SetCoords(row, c);
      cell->PrintCell(dc, row, c, cellRect);
    }
    CPen* previousPen = dc->SelectObject(&pen);
    PrintCellLines(dc, cellRect, row == 0, firstLine != FALSE);
    dc->SelectObject(previousPen);
    firstLine = FALSE;
    left = cellRect.right + 1;
  }
}

void CCellGrid::OnEndPrinting(CDC*, CPrintInfo*) { m_printout.End(); }

void CCellGrid::PrintPageHeader(CDC* dc, CPrintInfo* info, const SGridPrintInfo* record) {
  if (!dc || !info) return;
  CString left, center, right;
  if (record) {
    left = record->headerLeft;
    center = record->headerCenter;
    right = record->headerRight;
  } else {
    center = NearestCaption(GetParent());
  }
  if (right.IsEmpty()) right = ResString(AFX_IDS_APP_TITLE);
  const CRect rect = info->m_rectDraw;
  {
    CBoldFontScope bold(dc, m_printout.GetFont());
    DrawBandText(dc, center, rect, DT_CENTER);
    DrawBandText(dc, right, rect, DT_RIGHT);
    DrawBandText(dc, left, rect, DT_LEFT);
  }
  DrawBlackLine(dc, rect.left, rect.right, rect.bottom);
}

void CCellGrid::PrintPageFooter(CDC* dc, CPrintInfo* info, const SGridPrintInfo* record) {
  if (!dc || !info) return;
  CString pageText, center, dateTime;
  SLocalTime now;
  StampToLocalTime(CurrentTimeStamp(), now);
  if (record) {
    pageText.Format(ResString(record->pageFormatId).GetString(), int(info->m_nCurPage), int(info->GetMaxPage()));
    center = record->footerCenter;
    // As the platform's formatting into buffers of 32 characters, terminating zero included.
    dateTime = FormatDatePicture(ResString(record->dateFormatId), now).Left(31) + u" " +
               FormatTimePicture(ResString(record->timeFormatId), now).Left(31);
  } else {
    pageText.Format(u"Page %d of %d", int(info->m_nCurPage), int(info->GetMaxPage()));
    dateTime = FormatDateTimeC(now);
  }
  const CRect rect = info->m_rectDraw;
  DrawBlackLine(dc, rect.left, rect.right, rect.top);
  CBoldFontScope bold(dc, m_printout.GetFont());
  dc->SetTextColor(RGB(0, 0, 0));
  DrawBandText(dc, pageText, rect, DT_LEFT);
  DrawBandText(dc, center, rect, DT_CENTER);
  DrawBandText(dc, dateTime, rect, DT_RIGHT);
}
