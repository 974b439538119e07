// Printing: the grid scaled to the paper width, its rows broken into pages in groups that stay
// together, each page with a header band, the heading row, the rows and a footer band.

#include <memory>

#include "grid/CellBase.h"
#include "grid/CellGrid.h"
#include "grid/GridPageBreaks.h"
#include "platform/base/DateTimePicture.h"
#include "platform/base/MulDiv.h"
#include "platform/gdi/Pen.h"
#include "platform/res/StringTable.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/PrintInfo.h"

namespace {

// The 52 letters whose mean width is the printout's character width (the second 'S' is part
// of the sample as the layout has always measured it).
const char16_t kAverageSample[] = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";
constexpr int kAverageSampleLength = 52;

// Indices into the print layout.
constexpr int kHeaderLines = 1;
constexpr int kFooterLines = 2;
constexpr int kLeftMargin = 3;
constexpr int kRightMargin = 4;
constexpr int kGapLines = 7;

constexpr UINT kBandText = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr int kBoldWeight = 700;

// A bold copy of the font, selected while it lives; the previous font is selected back.
class CBoldFontScope {
 public:
  CBoldFontScope(CDC* dc, CFont& font) : m_dc(dc) {
    LOGFONT logFont{};
    font.GetLogFont(&logFont);
    logFont.lfWeight = kBoldWeight;
    m_bold.CreateFontIndirect(&logFont);
    m_previousFont = dc->SelectObject(&m_bold);
    m_previousMode = dc->SetBkMode(TRANSPARENT);
  }
  ~CBoldFontScope() {
    m_dc->SetBkMode(m_previousMode);
    m_dc->SelectObject(m_previousFont);
  }
  CBoldFontScope(const CBoldFontScope&) = delete;
  CBoldFontScope& operator=(const CBoldFontScope&) = delete;

 private:
  CDC* m_dc;
  CFont m_bold;
  CFont* m_previousFont;
  int m_previousMode;
};

void DrawBandText(CDC* dc, const CString& text, CRect rect, UINT align) {
  if (!text.IsEmpty()) dc->DrawText(text, &rect, align | kBandText);
}

void DrawBlackLine(CDC* dc, int left, int right, int y) {
  CGdiObject* previous = dc->SelectStockObject(BLACK_PEN);
  dc->MoveTo(left, y);
  dc->LineTo(right, y);
  dc->SelectObject(previous);
}

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
  if (documentName.IsEmpty()) documentName = NearestCaption();
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

CString CCellGrid::NearestCaption() const {
  for (const CWnd* window = GetParent(); window; window = window->GetParent()) {
    const CString caption = window->GetWindowTextString();
    if (!caption.IsEmpty()) return caption;
  }
  return CString();
}

void CCellGrid::OnBeginPrinting(CDC* dc, CPrintInfo* info, BOOL selectionOnly, int rowsPerGroup) {
  if (!dc || !info) return;
  CDC* screen = GetDC();
  if (!screen) return;
  const int printerDpiX = dc->GetDeviceCaps(LOGPIXELSX), printerDpiY = dc->GetDeviceCaps(LOGPIXELSY);
  const int screenDpiX = screen->GetDeviceCaps(LOGPIXELSX), screenDpiY = screen->GetDeviceCaps(LOGPIXELSY);
  m_printerFont.DeleteObject();
  m_printerFont.CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                           CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, u"Arial");
  CFont* previousFont = dc->SelectObject(&m_printerFont);

  SGridPrintMetrics& m = m_printMetrics;
  const CSize extent = dc->GetTextExtent(kAverageSample, kAverageSampleLength);
  m.charHeight = extent.cy;
  m.charWidth = extent.cx / kAverageSampleLength;
  const int marginsWidth = m.charWidth * (m_printLayout[kLeftMargin] + m_printLayout[kRightMargin]);
  m.deviceWidth = dc->GetDeviceCaps(HORZRES);
  m.deviceHeight = dc->GetDeviceCaps(VERTRES);
  if (m_printAtScreenSize) {
    m.logicalWidth = m.deviceWidth * screenDpiX / printerDpiX * 3 / 4;
    m.logicalHeight = m.deviceHeight * screenDpiY / printerDpiY * 3 / 4;
  } else {
    // The whole width of the grid fills the paper width.
    m.logicalWidth = GetTotalWidth() + marginsWidth;
    m.logicalHeight = MulDiv(m.logicalWidth, m.deviceHeight, m.deviceWidth);
  }
  m.bodyHeight = m.logicalHeight -
                 (m_printLayout[kHeaderLines] + 2 * m_printLayout[kGapLines] + m_printLayout[kFooterLines]) *
                     m.charHeight -
                 GetFixedRowsHeight();
  m_printRowStarts = BreakIntoPages(m_fixedRows, m_rows, rowsPerGroup, m.bodyHeight,
                                    [this, selectionOnly](int row) { return PrintedRowHeight(row, selectionOnly); });
  m.verticalPages = int(m_printRowStarts.size());

  m.printableWidth = m.logicalWidth - GetFixedColumnsWidth() - marginsWidth;
  m_printColumnStarts = {m_fixedCols};
  if (m_printAtScreenSize)
    m_printColumnStarts = BreakIntoPages(m_fixedCols, m_cols, 1, m.printableWidth,
                                         [this](int col) { return GetColumnWidth(col); });
  m.horizontalPages = int(m_printColumnStarts.size());

  info->SetMaxPage(UINT(m.verticalPages * m.horizontalPages));
  info->m_nCurPage = 1;
  ReleaseDC(screen);
  dc->SelectObject(previousFont);
}

void CCellGrid::OnPrint(CDC* dc, CPrintInfo* info, const SGridPrintInfo* record, BOOL selectionOnly, int) {
  if (!dc || !info || m_printRowStarts.empty() || m_printColumnStarts.empty()) return;
  SGridPrintMetrics& m = m_printMetrics;
  const int leftMargin = m.charWidth * m_printLayout[kLeftMargin];
  const int headerHeight = m_printLayout[kHeaderLines] * m.charHeight;
  const int footerHeight = m_printLayout[kFooterLines] * m.charHeight;
  const int fixedHeight = GetFixedRowsHeight();
  CFont* previousFont = dc->SelectObject(&m_printerFont);
  dc->SetMapMode(MM_ANISOTROPIC);
  dc->SetWindowExt(m.logicalWidth, m.logicalHeight);
  dc->SetViewportExt(m.deviceWidth, m.deviceHeight);
  dc->SetWindowOrg(-leftMargin, 0);
  info->m_rectDraw.SetRect(
      0, 0, m.logicalWidth - (m_printLayout[kLeftMargin] + m_printLayout[kRightMargin]) * m.charWidth,
      headerHeight);
  PrintPageHeader(dc, info, record);
  dc->SetWindowOrg(-leftMargin, -(headerHeight + m_printLayout[kGapLines] * m.charHeight + fixedHeight));

  const int horizontal = m.horizontalPages > 0 ? m.horizontalPages : 1;
  const int current = int(info->m_nCurPage);
  const int verticalPage = current / horizontal + (current % horizontal ? 1 : 0);
  const int horizontalPage = (current % horizontal ? current % horizontal : horizontal) - 1;
  if (verticalPage >= 1 && verticalPage <= int(m_printRowStarts.size()) &&
      horizontalPage < int(m_printColumnStarts.size())) {
    m.firstRow = m_printRowStarts[std::size_t(verticalPage - 1)];
    m.firstColumn = m_printColumnStarts[std::size_t(horizontalPage)];
    const int endRow =
        verticalPage < int(m_printRowStarts.size()) ? m_printRowStarts[std::size_t(verticalPage)] : m_rows;
    BOOL firstLine = TRUE;
    if (m_rows > 0) PrintRowCells(0, m_cols, 0, CRect(0, -fixedHeight - 1, 0, -1), dc, firstLine);
    PrintBody(dc, m.firstRow, endRow, selectionOnly);
  }

  info->m_rectDraw.bottom = footerHeight;
  dc->SetWindowOrg(-leftMargin, footerHeight - m.logicalHeight);
  PrintPageFooter(dc, info, record);
  dc->SetWindowOrg(0, 0);
  dc->SelectObject(previousFont);
}

void CCellGrid::PrintBody(CDC* dc, int firstRow, int endRow, BOOL selectionOnly) {
  const SGridPrintMetrics& m = m_printMetrics;
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
      const int width = GetColumnWidth(c, r);
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
    const int width = GetColumnWidth(c);
    if (width <= 0) continue;
    const CRect cellRect(left, rect.top, left + width - 1, rect.bottom);
    if (cellRect.right > m_printMetrics.printableWidth) break;
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

void CCellGrid::OnEndPrinting(CDC*, CPrintInfo*) { m_printerFont.DeleteObject(); }

void CCellGrid::PrintPageHeader(CDC* dc, CPrintInfo* info, const SGridPrintInfo* record) {
  if (!dc || !info) return;
  CString left, center, right;
  if (record) {
    left = record->headerLeft;
    center = record->headerCenter;
    right = record->headerRight;
  } else {
    center = NearestCaption();
  }
  if (right.IsEmpty()) right = ResString(AFX_IDS_APP_TITLE);
  const CRect rect = info->m_rectDraw;
  {
    CBoldFontScope bold(dc, m_printerFont);
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
  CBoldFontScope bold(dc, m_printerFont);
  dc->SetTextColor(RGB(0, 0, 0));
  DrawBandText(dc, pageText, rect, DT_LEFT);
  DrawBandText(dc, center, rect, DT_CENTER);
  DrawBandText(dc, dateTime, rect, DT_RIGHT);
}
