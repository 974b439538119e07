// The peak-load chart of the summary page: heading with the sort-key link, the unit link and
// one bar per entry on a value axis.

#include <algorithm>

#include "appbase/LoadStringOrPlaceholder.h"
#include "document/ZedoDoc.h"
#include "resources/ResourceIds.h"
#include "toolkit/GraphGrid.h"
#include "toolkit/GraphScale.h"
#include "views/SummaryFonts.h"
#include "views/SummaryView.h"

namespace {

constexpr int kWidestBar = 24;
constexpr int kLabelBandText = 140;
constexpr int kSmallestLabelFont = -5;
constexpr float kTopAllowance = 1.15f;
const char16_t kLabelSample[] = u"55.5555555555";

int BarGap(int barWidth) { return barWidth == kWidestBar ? 2 : barWidth >= 3 ? 1 : 0; }

int BarsWidth(int count, int barWidth, int gap) { return count * barWidth + (count + 2) * gap; }

// The value axis alone: no frame, grid or zero lines, the left edge with its line, outward
// minor ticks, labels and a title.
SGraphSettings ChartSettings(const RECT& area, double xMin, double xMax, double top) {
  SGraphSettings s;
  s.rcArea = area;
  s.dXMin = xMin;
  s.dXMax = xMax;
  s.dYMin = 0;
  s.dYMax = top;
  s.nTopAxis = 0;
  s.nBottomAxis = 0;
  s.nLeftAxis = 0x131;
  s.nRightAxis = 0;
  s.nXZeroAxis = 0;
  s.nYZeroAxis = 0;
  s.bHorzGrid = false;
  s.bVertGrid = false;
  return s;
}

}  // namespace

CString CSummaryView::FitText(CDC* dc, const CString& text, int maxWidth) {
  if (dc->GetTextExtent(text).cx <= maxWidth) return text;
  CString fitted = text + u"...";
  while (fitted.GetLength() > 3 && dc->GetTextExtent(fitted).cx > maxWidth)
    fitted.Delete(fitted.GetLength() - 4);
  return fitted;
}

CSize CSummaryView::DrawPeakLoadChart(CDC* dc, int x, int y, int width, int height, bool measureOnly,
                                      CString* text) {
  SSummaryFonts& fonts = SSummaryFonts::Shared();
  const CSummaryData& summary = m_pDoc->GetSummary();
  const int count = summary.GetCount();
  const UINT oldAlign = dc->GetTextAlign();
  CFont* oldFont = dc->GetCurrentFont();
  CBrush* oldBrush = dc->GetCurrentBrush();
  CPen* oldPen = dc->GetCurrentPen();

  // 1. Heading and sort-key link.
  CString sortKeyName;
  summary.GetSortKey(sortKeyName);
  const CString heading = LoadStringOrPlaceholder(IDS_SUMMARY_PEAK_LOADS) + u" ";
  CString link;
  link.Format(u"[%s %s]", LoadStringOrPlaceholder(IDS_SUMMARY_ORDERED_BY), sortKeyName);
  dc->SelectObject(&fonts.bold);
  const CSize headingSize = dc->GetTextExtent(heading);
  const int lineWidth = headingSize.cx + dc->GetTextExtent(link).cx;
  if (!measureOnly) {
    dc->TextOut(x + m_nMargin, y + m_nMargin, heading);
    const COLORREF oldColor = dc->SetTextColor(m_linkColor);
    dc->SelectObject(m_nHoveredHitId == HIT_SORT_KEY ? &fonts.boldUnderlined : &fonts.bold);
    RECT region;
    m_pHits->AddText(region, dc, x + m_nMargin + headingSize.cx, y + m_nMargin, link, 0, HIT_SORT_KEY, 0,
                     nullptr, true);
    dc->TextOut(x + m_nMargin + headingSize.cx, y + m_nMargin, link);
    dc->SetTextColor(oldColor);
  }
  dc->SelectObject(&fonts.normal);
  if (text) *text += heading + u"\t" + link + u"\r\n";

  // 2. Unit line.
  const int unitLine = y + m_nMargin + int(1.4 * headingSize.cy);
  if (!measureOnly) {
    const CString unitLabel = LoadStringOrPlaceholder(IDS_SUMMARY_UNIT);
    dc->TextOut(x + m_nMargin, unitLine, unitLabel);
    const int unitX = x + m_nMargin + dc->GetTextExtent(unitLabel + u" ").cx;
    const COLORREF oldColor = dc->SetTextColor(m_linkColor);
    dc->SelectObject(m_nHoveredHitId == HIT_UNIT ? &fonts.underlined : &fonts.normal);
    RECT region;
    m_pHits->AddText(region, dc, unitX, unitLine, summary.GetUnitName(), 0, HIT_UNIT, 0, nullptr, true);
    dc->TextOut(unitX, unitLine, summary.GetUnitName());
    dc->SetTextColor(oldColor);
    dc->SelectObject(&fonts.normal);
  }
  const int y3 = unitLine + dc->GetTextExtent(CString(u"A")).cy;
  CPen blackPen(PS_SOLID, 1, RGB(0, 0, 0));
  dc->SelectObject(&blackPen);

  // 3. Bar width and gap: the widest bars whose row fits.
  const int available = width - 50;
  int barWidth = 1;
  int gap = 0;
  for (int w = kWidestBar; w >= 1; --w) {
    if (BarsWidth(count, w, BarGap(w)) <= available) {
      barWidth = w;
      gap = BarGap(w);
      break;
    }
  }
  if (!m_bTextPass) {
    m_nBarWidth = barWidth;
    m_nBarGap = gap;
  }
  const int bars = BarsWidth(count, barWidth, gap);

  // 4. The label font: the largest whose sample is at most a bar (plus 4) high.
  LOGFONT labelLogFont{};
  fonts.vertical.GetLogFont(&labelLogFont);
  CFont labelFont;
  labelFont.CreateFontIndirect(&labelLogFont);
  dc->SelectObject(&labelFont);
  while (dc->GetTextExtent(kLabelSample).cy > barWidth + 4) {
    ++labelLogFont.lfHeight;
    if (labelLogFont.lfHeight >= 0) break;
    dc->SelectObject(&fonts.normal);
    labelFont.DeleteObject();
    labelFont.CreateFontIndirect(&labelLogFont);
    dc->SelectObject(&labelFont);
  }
  dc->SelectObject(&fonts.normal);
  const bool labels = labelLogFont.lfHeight <= kSmallestLabelFont;

  // 5. and 6. The band below the plot for the values, and the top of the value axis.
  int band = 0;
  float largest = 0.0f;
  if (int(m_valueWidths.size()) != count) MeasureValueWidths(dc);
  for (int i = 0; i < count; ++i) {
    const SUM_MEAS_T* entry = summary.GetEntry(i);
    const int width = m_valueWidths[std::size_t(i)];
    band = std::max(band, width <= kLabelBandText
                              ? width
                              : int(dc->GetTextExtent(FitText(dc, entry->valueText, kLabelBandText)).cx));
    largest = std::max(largest, float(entry->value));
  }
  double top = largest * kTopAllowance;
  // Loads of 0 alone leave no range to map onto.
  if (top <= 0.0) top = 1.0;

  // 7. Measuring pass: the axis' labels decide where the bars begin.
  SGraphSettings settings = ChartSettings(CRect(0, 0, 100, height - 20 - band), 0, 10, top);
  FitGraphScale(settings, dc, true, true);
  settings.dYMinorStep = settings.dYStep;
  int axisOffset = 0;
  {
    CGraphGrid grid;
    grid.SetSettings(dc, settings);
    axisOffset = grid.GetPlotRect().left;
  }
  const int blockWidth = std::max(lineWidth + 2 * m_nMargin, axisOffset + bars + 24);

  if (!measureOnly) {
    // 8. Drawing pass.
    settings = ChartSettings(CRect(x + m_nMargin, y3 + m_nMargin, x + axisOffset + bars + m_nMargin,
                                   y + height - m_nMargin - band),
                             -0.5, count + 0.5, top);
    FitGraphScale(settings, dc, true, true);
    settings.dYMinorStep = settings.dYStep;
    CGraphGrid grid;
    grid.SetSettings(dc, settings);
    grid.Draw(dc);
    const RECT plot = grid.GetPlotRect();
    dc->SelectObject(&blackPen);
    dc->MoveTo(plot.left, plot.bottom);
    dc->LineTo(plot.left + bars + 4, plot.bottom);
    CString ignored;
    const int meanY = grid.ValueToY(summary.GetMean(ignored));
    dc->MoveTo(plot.left - 2, meanY);
    dc->LineTo(plot.left + 4, meanY);
    DrawBars(dc, plot, grid, SBarLayout{barWidth, gap, &labelFont, labels}, text);
  }

  dc->SetTextAlign(oldAlign);
  dc->SelectObject(oldFont);
  dc->SelectObject(oldBrush);
  dc->SelectObject(oldPen);
  return CSize(blockWidth, height);
}

void CSummaryView::DrawBars(CDC* dc, const RECT& plot, CGraphGrid& grid, const SBarLayout& layout,
                            CString* text) {
  const CSummaryData& summary = m_pDoc->GetSummary();
  if (text) AppendTableLine(-1, *text);
  int barX = plot.left + 4 + layout.gap;
  for (int i = 0; i < summary.GetCount(); ++i) {
    const SUM_MEAS_T* entry = summary.GetEntry(i);
    const bool hovered = i == m_nHoveredEntry;
    const CRect bar(barX, grid.ValueToY(entry->value), barX + layout.width, plot.bottom);
    if (!m_bTextPass) {
      dc->SelectObject(hovered ? &m_hoverBrush : &m_barBrush);
      dc->SelectObject(hovered ? &m_hoverPen : &m_barPen);
      dc->Rectangle(bar);
      m_pHits->Add(bar, 0, HIT_BAR, i, nullptr, true);
    }
    if (layout.labels && !m_bTextPass) {
      CFont* old = dc->SelectObject(layout.labelFont);
      const int textHeight = dc->GetTextExtent(entry->valueText).cy;
      dc->TextOut(barX + layout.width / 2 - textHeight / 2, bar.top - 3, entry->valueText);
      dc->SelectObject(old);
    }
    if (text) AppendTableLine(i, *text);
    barX += layout.gap + layout.width;
  }
  if (text) *text += u"\r\n";
}
