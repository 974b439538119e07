// Printing: the grid at its screen size or across pages, its rows (and columns) broken into
// pages, each page with a header band, the fixed rows and columns, the page's cells and a
// footer band of page number and date.

#include <algorithm>

#include "grid/GridPageBreaks.h"
#include "grid/GridPrintBands.h"
#include "grid/org/CellBaseOrg.h"
#include "grid/org/CellGridOrg.h"
#include "platform/base/DateTimePicture.h"
#include "platform/base/MulDiv.h"
#include "platform/res/StringTable.h"
#include "platform/ui/PrintInfo.h"

namespace {

const char16_t kAlphabet[] = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

}  // namespace

void CCellGridOrg::OnBeginPrinting(CDC* dc, CPrintInfo* info) {
  if (!dc || !info) return;
  CDC* screen = GetDC();
  if (!screen) return;
  m_printerFont.DeleteObject();
  m_printerFont.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                           CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, u"Arial");
  CFont* previousFont = dc->SelectObject(&m_printerFont);
  SGridPrintMetrics& m = m_printMetrics;
  const CSize character = MeasurePrintCharacter(dc, kAlphabet);
  m.charWidth = character.cx;
  m.charHeight = character.cy;
  const int marginsWidth = m.charWidth * (m_printLayout[kLeftMargin] + m_printLayout[kRightMargin]);
  m.deviceWidth = dc->GetDeviceCaps(HORZRES);
  m.deviceHeight = dc->GetDeviceCaps(VERTRES);
  if (m_printAcrossPages) {
    m.logicalWidth = m.deviceWidth * screen->GetDeviceCaps(LOGPIXELSX) / dc->GetDeviceCaps(LOGPIXELSX) * 3 / 4;
    m.logicalHeight = m.deviceHeight * screen->GetDeviceCaps(LOGPIXELSY) / dc->GetDeviceCaps(LOGPIXELSY) * 3 / 4;
  } else {
    m.logicalWidth = GetTotalWidth() + marginsWidth;
    m.logicalHeight = MulDiv(m.logicalWidth, m.deviceHeight, m.deviceWidth);
  }
  ReleaseDC(screen);
  m.bodyHeight = m.logicalHeight -
                 (m_printLayout[kHeaderLines] + m_printLayout[kFooterLines] + 2 * m_printLayout[kGapLines]) *
                     m.charHeight -
                 GetFixedRowsHeight();
  m.printableWidth = m.logicalWidth - GetFixedColumnsWidth() - marginsWidth;
  // A row taller than the body, or a column wider than the page, gets a page of its own and is
  // cut at its edge, so that the count always ends.
  m_printRowStarts = BreakIntoPages(m_fixedRows, m_rows, 1, m.bodyHeight, [this](int r) { return GetRowHeight(r); });
  m_printColumnStarts = {m_fixedCols};
  if (m_printAcrossPages)
    m_printColumnStarts =
        BreakIntoPages(m_fixedCols, m_cols, 1, m.printableWidth, [this](int c) { return GetColumnWidth(c); });
  m.verticalPages = int(m_printRowStarts.size());
  m.horizontalPages = int(m_printColumnStarts.size());
  info->SetMaxPage(UINT(m.verticalPages * m.horizontalPages));
  info->m_nCurPage = 1;
  dc->SelectObject(previousFont);
}

void CCellGridOrg::OnPrint(CDC* dc, CPrintInfo* info) {
  if (!dc || !info || m_printRowStarts.empty() || m_printColumnStarts.empty()) return;
  SGridPrintMetrics& m = m_printMetrics;
  const int leftMargin = m.charWidth * m_printLayout[kLeftMargin];
  const int headerHeight = m_printLayout[kHeaderLines] * m.charHeight;
  const int footerHeight = m_printLayout[kFooterLines] * m.charHeight;
  CFont* previousFont = dc->SelectObject(&m_printerFont);
  dc->SetMapMode(MM_ANISOTROPIC);
  dc->SetWindowExt(m.logicalWidth, m.logicalHeight);
  dc->SetViewportExt(m.deviceWidth, m.deviceHeight);
  dc->SetWindowOrg(-leftMargin, 0);
  const int bandWidth = m.logicalWidth - (m_printLayout[kLeftMargin] + m_printLayout[kRightMargin]) * m.charWidth;
  info->m_rectDraw.SetRect(0, 0, bandWidth, headerHeight);
  PrintPageHeader(dc, info);
  // From here y 0 is the top of the page's rows, below the header, the gap and the fixed rows.
  dc->SetWindowOrg(-leftMargin, -(headerHeight + m_printLayout[kGapLines] * m.charHeight + GetFixedRowsHeight()));
  const int page = std::max(1, int(info->m_nCurPage)) - 1;
  const int verticalPage = page / m.horizontalPages;
  const int horizontalPage = page % m.horizontalPages;
  if (verticalPage < m.verticalPages) {
    m.firstRow = m_printRowStarts[std::size_t(verticalPage)];
    m.firstColumn = m_printColumnStarts[std::size_t(horizontalPage)];
    const int endRow = verticalPage + 1 < m.verticalPages ? m_printRowStarts[std::size_t(verticalPage + 1)] : m_rows;
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
  info->m_rectDraw.SetRect(0, 0, bandWidth, footerHeight);
  dc->SetWindowOrg(-leftMargin, footerHeight - m.logicalHeight);
  PrintPageFooter(dc, info);
  dc->SetWindowOrg(0, 0);
  dc->SelectObject(previousFont);
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
  const int right = GetFixedColumnsWidth() + m_printMetrics.printableWidth;
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
    PrintRowCells(dc, r, m_printMetrics.firstColumn, left, top, top + height - 1);
    top += height;
  }
}

void CCellGridOrg::PrintFixedColumns(CDC* dc, int firstRow, int endRow) {
  int top = 0;
  for (int r = firstRow; r < endRow && top < m_printMetrics.bodyHeight; ++r) {
    const int height = GetRowHeight(r);
    if (height <= 0) continue;
    const int bottom = std::min(top + height - 1, m_printMetrics.bodyHeight - 1);
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
    CBoldFontScope bold(dc, m_printerFont);
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
  CBoldFontScope bold(dc, m_printerFont);
  dc->SetTextColor(RGB(0, 0, 0));
  DrawBandText(dc, pageText, rect, DT_LEFT);
  DrawBandText(dc, FormatDateTimeC(now), rect, DT_RIGHT);
}

void CCellGridOrg::OnEndPrinting(CDC*, CPrintInfo*) { m_printerFont.DeleteObject(); }
