// Printing: the grid at its screen size or across pages, its rows (and columns) broken into
// pages, each page with a header band, the fixed rows and columns, the page's cells and a
// footer band of page number and date.

#include <algorithm>

#include "grid/GridPrintBands.h"
#include "grid/GridPrintout.h"
#include "grid/org/CellBaseOrg.h"
#include "grid/org/CellGridOrg.h"
#include "platform/base/DateTimePicture.h"
#include "platform/res/StringTable.h"
#include "platform/ui/PrintInfo.h"

namespace {

constexpr SPrinterFont kPrinterFont{-10, u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"};

}  // namespace

void CCellGridOrg::OnBeginPrinting(CDC* dc, CPrintInfo* info) {
  if (!dc || !info) return;
  // A row taller than the body, or a column wider than the page, gets a page of its own and is
  // cut at its edge, so that the count always ends.
  m_printout.Begin(*this, dc, info, kPrinterFont, m_printAcrossPages != FALSE, 1,
                   [this](int row) { return GetRowHeight(row); });
}

void CCellGridOrg::OnPrint(CDC* dc, CPrintInfo* info) {
  const std::vector<int>& rowStarts = m_printout.GetRowStarts();
  const std::vector<int>& columnStarts = m_printout.GetColumnStarts();
  if (!dc || !info || rowStarts.empty() || columnStarts.empty()) return;
  SGridPrintMetrics& m = m_printout.GetMetrics();
  CPrintPageFrame frame(dc, m_printout);
  info->m_rectDraw.SetRect(0, 0, frame.GetBandWidth(), frame.GetHeaderHeight());
  PrintPageHeader(dc, info);
  frame.MoveToBody(GetFixedRowsHeight());
  const int page = std::max(1, int(info->m_nCurPage)) - 1;
  const int verticalPage = page / m.horizontalPages;
  const int horizontalPage = page % m.horizontalPages;
  if (verticalPage < m.verticalPages) {
    m.firstRow = rowStarts[std::size_t(verticalPage)];
    m.firstColumn = columnStarts[std::size_t(horizontalPage)];
    const int endRow = verticalPage + 1 < m.verticalPages ? rowStarts[std::size_t(verticalPage + 1)] : m_rows;
    PrintFixedColumns(dc, m.firstRow, endRow);
    PrintFixedRows(dc);
    int top = 0;
    for (int r = m.firstRow; r < endRow && top < m.bodyHeight; ++r) {
      const int height = GetRowHeight(r);
      if (height <= 0) continue;
      const int bottom = std::min(top + height - 1, m.bodyHeight - 1);
      PrintRowCells(dc, r, m.firstColumn, GetFixedColumnsWidth(), top, bottom);
      top = bottom + 1;
    }
  }
  info->m_rectDraw.SetRect(0, 0, frame.GetBandWidth(), frame.GetFooterHeight());
  frame.MoveToFooter();
  PrintPageFooter(dc, info);
}

void CCellGridOrg::PrintCellAt(CDC* dc, int row, int col, const CRect& rect) {
  if (CCellBaseOrg* cell = GetCell(row, col)) {
    cell->SetCoords(row, col);
    cell->PrintCell(dc, row, col, rect);
  }
  DrawCellLines(dc, rect, 1);
}

void CCellGridOrg::PrintRowCells(CDC* dc, int row, int firstCol, int left, int top, int bottom) {
  // A column wider than the whole page, alone on its page across, is cut at the page's edge.
  const int right = GetFixedColumnsWidth() + m_printout.GetMetrics().printableWidth;
  for (int c = firstCol; c < m_cols; ++c) {
    const int width = GetColumnWidth(c);
    if (width <= 0) continue;
    if (left + width - 1 > right && c != firstCol) break;
    const CRect rect(left, top, std::min(left + width - 1, right), bottom);
    PrintCellAt(dc, row, c, rect);
    left = rect.right + 1;
    if (left > right) break;
  }
}

void CCellGridOrg::PrintFixedRows(CDC* dc) {
  int top = -GetFixedRowsHeight();
  for (int r = 0; r < m_fixedRows; ++r) {
    const int height = GetRowHeight(r);
    if (height <= 0) continue;
    int left = 0;
    for (int c = 0; c < m_fixedCols; ++c) {
      const int width = GetColumnWidth(c);
      if (width <= 0) continue;
      PrintCellAt(dc, r, c, CRect(left, top, left + width - 1, top + height - 1));
      left += width;
    }
    PrintRowCells(dc, r, m_printout.GetMetrics().firstColumn, left, top, top + height - 1);
    top += height;
  }
}

void CCellGridOrg::PrintFixedColumns(CDC* dc, int firstRow, int endRow) {
  int top = 0;
  for (int r = firstRow; r < endRow && top < m_printout.GetMetrics().bodyHeight; ++r) {
    const int height = GetRowHeight(r);
    if (height <= 0) continue;
    const int bottom = std::min(top + height - 1, m_printout.GetMetrics().bodyHeight - 1);
    int left = 0;
    for (int c = 0; c < m_fixedCols; ++c) {
      const int width = GetColumnWidth(c);
      if (width <= 0) continue;
      PrintCellAt(dc, r, c, CRect(left, top, left + width - 1, bottom));
      left += width;
    }
    top = bottom + 1;
  }
}

void CCellGridOrg::PrintPageHeader(CDC* dc, CPrintInfo* info) {
  if (!dc || !info) return;
  const CRect rect = info->m_rectDraw;
  {
    CBoldFontScope bold(dc, m_printout.GetFont());
    DrawBandText(dc, NearestCaption(GetParent()), rect, DT_CENTER);
    DrawBandText(dc, ResString(AFX_IDS_APP_TITLE), rect, DT_RIGHT);
  }
  DrawBlackLine(dc, rect.left, rect.right, rect.bottom);
}

void CCellGridOrg::PrintPageFooter(CDC* dc, CPrintInfo* info) {
  if (!dc || !info) return;
  const CRect rect = info->m_rectDraw;
  DrawBlackLine(dc, rect.left, rect.right, rect.top);
  CString pageText;
  pageText.Format(u"Page %d of %d", int(info->m_nCurPage), int(info->GetMaxPage()));
  SLocalTime now;
  StampToLocalTime(CurrentTimeStamp(), now);
  CBoldFontScope bold(dc, m_printout.GetFont());
  dc->SetTextColor(RGB(0, 0, 0));
  DrawBandText(dc, pageText, rect, DT_LEFT);
  DrawBandText(dc, FormatDateTimeC(now), rect, DT_RIGHT);
}

void CCellGridOrg::OnEndPrinting(CDC*, CPrintInfo*) { m_printout.End(); }
