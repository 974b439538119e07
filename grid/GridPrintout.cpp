#include "grid/GridPrintout.h"

#include <algorithm>

#include "grid/GridPrintBands.h"
#include "platform/base/MulDiv.h"
#include "platform/ui/PrintInfo.h"

namespace {

constexpr int kSampleLength = 52;

}  // namespace

void CGridPrintout::Measure(CDC* dc, CDC* screen, const SPrinterFont& font, bool atScreenScale, int gridWidth,
                            const CSize& fixedSize) {
  m_font.DeleteObject();
  m_font.CreateFont(font.height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                    CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, u"Arial");
  CFont* previousFont = dc->SelectObject(&m_font);
  SGridPrintMetrics& m = m_metrics;
  const CSize extent = dc->GetTextExtent(font.sample52, kSampleLength);
  m.charWidth = extent.cx / kSampleLength;
  m.charHeight = extent.cy;
  const int marginsWidth = m.charWidth * (m_layout[kLeftMargin] + m_layout[kRightMargin]);
  m.deviceWidth = dc->GetDeviceCaps(HORZRES);
  m.deviceHeight = dc->GetDeviceCaps(VERTRES);
  if (atScreenScale) {
    m.logicalWidth =
        m.deviceWidth * screen->GetDeviceCaps(LOGPIXELSX) / dc->GetDeviceCaps(LOGPIXELSX) * 3 / 4;
    m.logicalHeight =
        m.deviceHeight * screen->GetDeviceCaps(LOGPIXELSY) / dc->GetDeviceCaps(LOGPIXELSY) * 3 / 4;
  } else {
    // The whole width of the grid fills the paper width.
    m.logicalWidth = gridWidth + marginsWidth;
    m.logicalHeight = MulDiv(m.logicalWidth, m.deviceHeight, m.deviceWidth);
  }
  const int bandLines = m_layout[kHeaderLines] + 2 * m_layout[kGapLines] + m_layout[kFooterLines];
  m.bodyHeight = m.logicalHeight - bandLines * m.charHeight - fixedSize.cy;
  m.printableWidth = m.logicalWidth - fixedSize.cx - marginsWidth;
  dc->SelectObject(previousFont);
}

int CGridPrintout::GetColumnWidth(int col) const {
  return col >= 0 && col < int(m_columnWidths.size()) ? m_columnWidths[std::size_t(col)] : 0;
}

int CGridPrintout::GetSpanWidth(int first, int end) const {
  int width = 0;
  for (int col = std::max(first, 0); col < end && col < int(m_columnWidths.size()); ++col)
    width += std::max(m_columnWidths[std::size_t(col)], 0);
  return width;
}

void CGridPrintout::FitColumns(CDC* dc, CDC* screen, const SPrinterFont& font, bool atScreenScale,
                               int fixedColumns, int fixedHeight, const std::vector<int>& printedRows,
                               const CellNeed& cellNeed) {
  const int columns = int(m_columnWidths.size());
  auto measure = [&] {
    Measure(dc, screen, font, atScreenScale, GetSpanWidth(0, columns),
            CSize(GetSpanWidth(0, fixedColumns), fixedHeight));
  };
  measure();
  if (!cellNeed) return;
  // Wider columns make a fitted page smaller in scale, and the font's size on the printer rounds
  // anew: measure again until every column holds its cells. After the first pass only the cells
  // that came near their column's widest can decide it.
  std::vector<std::vector<int>> rows(std::size_t(columns), printedRows);
  for (int pass = 0; pass < kFittingPasses; ++pass) {
    if (!WidenColumns(dc, rows, cellNeed, pass == 0)) break;
    measure();
  }
}

bool CGridPrintout::WidenColumns(CDC* dc, std::vector<std::vector<int>>& rows, const CellNeed& cellNeed,
                                 bool keepWidest) {
  // The mapping and font a page prints with; the context is as before afterwards.
  const int saved = dc->SaveDC();
  bool widened = false;
  {
    CPrintPageFrame frame(dc, *this);
    CPrintedTextWidths texts(dc);
    std::vector<int> needs;
    for (std::size_t col = 0; col < m_columnWidths.size(); ++col) {
      // A hidden column stays hidden.
      if (m_columnWidths[col] <= 0) continue;
      needs.clear();
      int widest = 0;
      for (int row : rows[col]) {
        needs.push_back(cellNeed(texts, row, int(col)));
        widest = std::max(widest, needs.back());
      }
      if (keepWidest) {
        std::vector<int> near;
        for (std::size_t i = 0; i < needs.size(); ++i)
          if (needs[i] > 0 && needs[i] + kNearWidest >= widest) near.push_back(rows[col][i]);
        rows[col] = std::move(near);
      }
      if (widest > m_columnWidths[col]) {
        m_columnWidths[col] = widest;
        widened = true;
      }
    }
  }
  dc->RestoreDC(saved);
  return widened;
}

void CGridPrintout::CountPages(CPrintInfo* info) {
  m_metrics.verticalPages = int(m_rowStarts.size());
  m_metrics.horizontalPages = int(m_columnStarts.size());
  info->SetMaxPage(UINT(m_metrics.verticalPages * m_metrics.horizontalPages));
  info->m_nCurPage = 1;
}

CPrintPageFrame::CPrintPageFrame(CDC* dc, CGridPrintout& printout)
    : m_dc(dc),
      m_printout(printout),
      m_leftMargin(printout.GetMetrics().charWidth * printout.GetLayoutValue(kLeftMargin)),
      m_headerHeight(printout.GetLayoutValue(kHeaderLines) * printout.GetMetrics().charHeight),
      m_footerHeight(printout.GetLayoutValue(kFooterLines) * printout.GetMetrics().charHeight),
      m_previousFont(dc->SelectObject(&printout.GetFont())) {
  const SGridPrintMetrics& m = printout.GetMetrics();
  dc->SetMapMode(MM_ANISOTROPIC);
  dc->SetWindowExt(m.logicalWidth, m.logicalHeight);
  dc->SetViewportExt(m.deviceWidth, m.deviceHeight);
  dc->SetWindowOrg(-m_leftMargin, 0);
}

CPrintPageFrame::~CPrintPageFrame() {
  m_dc->SetWindowOrg(0, 0);
  m_dc->SelectObject(m_previousFont);
}

int CPrintPageFrame::GetBandWidth() const {
  const int margins = m_printout.GetLayoutValue(kLeftMargin) + m_printout.GetLayoutValue(kRightMargin);
  return m_printout.GetMetrics().logicalWidth - margins * m_printout.GetMetrics().charWidth;
}

void CPrintPageFrame::MoveToBody(int fixedHeight) {
  // From here y 0 is the top of the page's rows.
  const int gap = m_printout.GetLayoutValue(kGapLines) * m_printout.GetMetrics().charHeight;
  m_dc->SetWindowOrg(-m_leftMargin, -(m_headerHeight + gap + fixedHeight));
}

void CPrintPageFrame::MoveToFooter() {
  m_dc->SetWindowOrg(-m_leftMargin, m_footerHeight - m_printout.GetMetrics().logicalHeight);
}
