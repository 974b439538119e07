// The load-rate curve panel of the series cell: the test's load samples over time in the
// test's unit on the toolkit's plot frame, the peak as a red diamond and the curve as an
// anti-aliased blue line.

#include <algorithm>
#include <cmath>
#include <vector>

#include "appbase/LoadStringOrPlaceholder.h"
#include "document/ZedoDoc.h"
#include "platform/gdi/GdiPlus.h"
#include "resources/ResourceIds.h"
#include "toolkit/GraphGrid.h"
#include "toolkit/GraphScale.h"
#include "views/SeriesCell.h"
#include "views/SeriesCellFonts.h"

namespace {

constexpr ARGB kCurveColor = 0xFF0000FF;
constexpr REAL kCurveWidth = 1.5f;
constexpr COLORREF kPeakColor = RGB(255, 0, 0);
constexpr int kPeakPenWidth = 2;
constexpr int kPeakSize = 3;

// The axes of the panel: bottom and left edges with their line, outward ticks at every
// secondary step, labels and titles (the left one in the second title style); grid lines in
// both directions; no top or right edge and no zero lines.
SGraphSettings CurveSettings(const CRect& area, double xMax, double yMax, const CString& unitName) {
  SGraphSettings s;
  s.rcArea = area;
  s.dXMin = 0;
  s.dXMax = xMax;
  s.strXTitle.Format(u"%s (%s)", LoadStringOrPlaceholder(IDS_LABEL_TIME).GetString(),
                     LoadStringOrPlaceholder(IDS_UNIT_SECOND).GetString());
  s.dYMin = 0;
  s.dYMax = yMax;
  s.strYTitle.Format(u"%s (%s)", LoadStringOrPlaceholder(IDS_LIVE_LOAD).GetString(), unitName.GetString());
  s.nTopAxis = 0;
  s.nBottomAxis = GA_LINE | GA_MINOR_OUT | GA_LABELS | GA_TITLE;
  s.nLeftAxis = GA_LINE | GA_MINOR_OUT | GA_LABELS | GA_TITLE_ROTATED;
  s.nRightAxis = 0;
  s.nXZeroAxis = 0;
  s.nYZeroAxis = 0;
  s.bHorzGrid = true;
  s.bVertGrid = true;
  return s;
}

void DrawPeakMarker(CDC* dc, const CGraphGrid& grid, double peakTime, double peakLoad) {
  CPen red(PS_SOLID, kPeakPenWidth, kPeakColor);
  CPen* old = dc->SelectObject(&red);
  const int px = grid.ValueToX(peakTime);
  const int py = grid.ValueToY(peakLoad);
  const POINT diamond[] = {{px + kPeakSize, py},
                           {px, py + kPeakSize},
                           {px - kPeakSize, py},
                           {px, py - kPeakSize},
                           {px + kPeakSize, py}};
  dc->Polyline(diamond, 5);
  dc->SelectObject(old);
}

void DrawCurve(CDC* dc, const CGraphGrid& grid, const double* samples, int count, double period) {
  std::vector<GpPointF> points;
  points.reserve(std::size_t(std::max(count, 0)));
  for (int i = 0; i < count; ++i)
    points.push_back({REAL(grid.ValueToX(i * period)), REAL(grid.ValueToY(samples[i]))});
  GpGraphics* graphics = nullptr;
  GpPen* pen = nullptr;
  // A failed step leaves the curve out; the frame and marker are drawn already.
  GdipCreateFromHDC(dc->GetSafeHdc(), &graphics);
  GdipSetPageUnit(graphics, UnitPixel);
  GdipSetSmoothingMode(graphics, SmoothingModeAntiAlias);
  GdipCreatePen1(kCurveColor, kCurveWidth, UnitWorld, &pen);
  GdipDrawLines(graphics, pen, points.data(), INT(points.size()));
  GdipDeletePen(pen);
  GdipDeleteGraphics(graphics);
}

}  // namespace

double CSeriesCell::CurveAxisCeiling(double first, double second) {
  const double ceiling = std::ceil(std::max(first, second));
  // A curve of zeros, or no time between its samples, leaves no range to map onto.
  return ceiling > 0 ? ceiling : 1.0;
}

CSize CSeriesCell::DrawCurvePanel(CDC* dc, int x, int y, int plotWidth, int plotHeight) {
  const double* samples = nullptr;
  double largest = 0;
  double peakTime = 0;
  int count = 0;
  double period = 0;
  if (!m_pDoc->GetLoadCurve(m_nMeasIndex, true, samples, largest, peakTime, count, period)) return CSize(0, 0);
  BYTE convert = 1;
  CString ignoredValue;
  CString ignoredUnit;
  const double peakLoad = m_pDoc->GetPeakLoad(m_nMeasIndex, convert, ignoredValue, ignoredUnit);
  const double xMax = CurveAxisCeiling(peakTime, count * period);
  const double yMax = CurveAxisCeiling(largest, peakLoad);

  SSeriesCellFonts& fonts = SSeriesCellFonts::Shared();
  CFont* oldFont = dc->SelectObject(&fonts.bold);
  const CString title = LoadStringOrPlaceholder(IDS_DETAIL_LOAD_RATE_CURVE) + u" ";
  const CSize titleSize = dc->GetTextExtent(title);
  dc->TextOut(x + m_nMargin, y + m_nMargin, title);
  const int titleAdvance = int(1.2 * titleSize.cy);

  dc->SelectObject(&fonts.normal);
  CPen black(PS_SOLID, 1, RGB(0, 0, 0));
  CPen* oldPen = dc->SelectObject(&black);
  const int top = y + m_nMargin + titleAdvance + m_nMargin;
  SGraphSettings settings = CurveSettings(CRect(x + m_nMargin, top, x + m_nMargin + plotWidth, top + plotHeight),
                                          xMax, yMax, m_pDoc->GetUnitName(m_nMeasIndex));
  FitGraphScale(settings, dc, true, true);
  // Ticks and grid lines fall on the labelled steps only.
  settings.dXMinorStep = settings.dXStep;
  settings.dYMinorStep = settings.dYStep;
  CGraphGrid grid;
  grid.SetSettings(dc, settings);
  grid.Draw(dc);
  DrawPeakMarker(dc, grid, peakTime, peakLoad);
  DrawCurve(dc, grid, samples, count, period);

  dc->SelectObject(oldFont);
  dc->SelectObject(oldPen);
  return CSize(std::max(titleSize.cx + 2 * m_nMargin, x + 2 * m_nMargin + plotWidth),
               y + 2 * m_nMargin + titleAdvance + plotHeight);
}
