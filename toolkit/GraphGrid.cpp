#include "toolkit/GraphGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/gdi/Dc.h"

namespace {

constexpr int kMajorTick = 5;
constexpr int kMinorTick = 3;
// No device shows more ticks than this along one axis. A step that would give more is wrong
// for its range (and one below the precision of the values would never advance): such an
// axis gets no ticks instead of keeping the drawing busy for ages.
constexpr double kMaxTicks = 10000;
// Reaches beyond any device for the open sides of a clip band.
constexpr int kFar = 1 << 20;

// Calls f at first, first + step, ... while the value stays within limit.
template <class F>
void ForEachTickFrom(double first, double limit, double step, F f) {
  if (!(step > 0)) return;
  const double count = std::floor((limit - first) / step) + 1;
  if (!(count <= kMaxTicks)) return;
  for (int i = 0; i < int(count) + 1; ++i) {
    const double v = first + double(i) * step;
    if (!(v <= limit)) break;
    f(v);
  }
}

// Ticks from the first multiple of step at or above min up to max plus a millionth of
// limitStep (the major step, also for minor ticks).
template <class F>
void ForEachTick(double min, double max, double step, double limitStep, F f) {
  ForEachTickFrom(CeilToStep(min, step), max + limitStep / 1e6, step, f);
}

int ToDevice(double v) {
  constexpr double kLimit = std::numeric_limits<int>::max() / 2;
  return int(std::clamp(v, -kLimit, kLimit));
}

int PenWidth(CDC* dc) {
  CPen* pen = dc->GetCurrentPen();
  LOGPEN lp{};
  if (pen && pen->GetLogPen(&lp) && lp.lopnWidth.x > 0) return lp.lopnWidth.x;
  return 1;
}

bool Rotated(int flags, int rotatedBit) { return (flags & rotatedBit) != 0; }

}  // namespace

double CeilToStep(double v, double step) {
  if (!(step > 0)) return v;
  double q = 0;
  const double f = std::modf(std::fabs(v) / step, &q);
  if (f < 1e-19) return v;
  return v >= 0 ? (q + 1) * step : -q * step;
}

void WidenEmptyRange(double& min, double& max) {
  if (!(max > min)) max = min + 1;
}

CGraphGrid::CGraphGrid() = default;

CGraphGrid::~CGraphGrid() = default;

void CGraphGrid::SetSettings(CDC* dc, SGraphSettings settings) {
  const bool gridColourChanged = settings.crGrid != m_settings.crGrid;
  m_settings = std::move(settings);
  WidenEmptyRange(m_settings.dXMin, m_settings.dXMax);
  WidenEmptyRange(m_settings.dYMin, m_settings.dYMax);
  RecalcLayout(dc, gridColourChanged);
}

int CGraphGrid::ValueToX(double x) const {
  const auto& s = m_settings;
  const double range = s.dXMax > s.dXMin ? s.dXMax - s.dXMin : 1;
  const double L = m_rcPlot.left;
  const double R = m_rcPlot.right;
  return ToDevice((R - L + 0.1) / range * (x - s.dXMin) + L + 0.5);
}

int CGraphGrid::ValueToY(double y) const {
  const auto& s = m_settings;
  const double range = s.dYMax > s.dYMin ? s.dYMax - s.dYMin : 1;
  const double T = m_rcPlot.top;
  const double B = m_rcPlot.bottom;
  return ToDevice(B - (B - T + 0.1) / range * (y - s.dYMin) + 0.5);
}

int CGraphGrid::Flags(ESide side) const {
  switch (side) {
    case kBottom:
      return m_settings.nBottomAxis;
    case kTop:
      return m_settings.nTopAxis;
    case kLeft:
      return m_settings.nLeftAxis;
    default:
      return m_settings.nRightAxis;
  }
}

CString CGraphGrid::Label(ESide side, double value) const {
  const bool x = IsXSide(side);
  CString text;
  text.Format(x ? m_settings.strXFormat : m_settings.strYFormat, value);
  const CString& unit = x ? m_settings.strXUnit : m_settings.strYUnit;
  if (!unit.IsEmpty()) text += unit;
  return text;
}

CSize CGraphGrid::Extent(CDC* dc, CFont* font, const CString& text) const {
  dc->SelectObject(font);
  return dc->GetTextExtent(text);
}

// For x axes the extent across is the height of normal text and the width of rotated text;
// for y axes the other way round.
int CGraphGrid::AcrossAxis(ESide side, bool rotated, CSize extent) const {
  return IsXSide(side) != rotated ? extent.cy : extent.cx;
}

int CGraphGrid::AlongAxis(ESide side, bool rotated, CSize extent) const {
  return IsXSide(side) != rotated ? extent.cx : extent.cy;
}

CGraphGrid::SOverhang CGraphGrid::MeasureSide(CDC* dc, ESide side, int w, SSideLayout& layout) {
  const auto& s = m_settings;
  const int flags = Flags(side);
  const bool x = IsXSide(side);
  SOverhang overhang;

  layout.title = 0;
  if (flags & (GA_TITLE | GA_TITLE_ROTATED)) {
    const bool rotated = Rotated(flags, GA_TITLE_ROTATED);
    const CSize extent = Extent(dc, rotated ? &m_fontRotated : &m_fontNormal, x ? s.strXTitle : s.strYTitle);
    layout.title = AcrossAxis(side, rotated, extent);
  }

  layout.labelBand = 0;
  if (flags & (GA_LABELS | GA_LABELS_ROTATED)) {
    const bool rotated = Rotated(flags, GA_LABELS_ROTATED);
    CFont* font = rotated ? &m_fontRotated : &m_fontNormal;
    const double min = x ? s.dXMin : s.dYMin;
    const double max = x ? s.dXMax : s.dYMax;
    const double step = x ? s.dXStep : s.dYStep;
    int band = 0;
    bool any = false;
    double last = 0;
    ForEachTick(min, max, step, step, [&](double v) {
      band = std::max(band, AcrossAxis(side, rotated, Extent(dc, font, Label(side, v))));
      any = true;
      last = v;
    });
    layout.labelBand = band + (x ? s.nXLabelGap : s.nYLabelGap) * w;
    if (any) {
      const bool clipFirst = x ? s.bClipXLeft : s.bClipYBottom;
      const bool clipLast = x ? s.bClipXRight : s.bClipYTop;
      if (!clipFirst) overhang.first = AlongAxis(side, rotated, Extent(dc, font, Label(side, min))) / 2;
      if (!clipLast) overhang.last = AlongAxis(side, rotated, Extent(dc, font, Label(side, last))) / 2;
    }
  }

  layout.tick = (flags & GA_MAJOR_OUT) ? kMajorTick * w : (flags & GA_MINOR_OUT) ? kMinorTick * w : 0;
  return overhang;
}

void CGraphGrid::RecalcLayout(CDC* dc, bool recreateGridPen) {
  const int w = PenWidth(dc);
  CFont* callerFont = dc->GetCurrentFont();
  if (m_bFontsPending || recreateGridPen) m_pGridPen = std::make_unique<CPen>(PS_SOLID, w, m_settings.crGrid);
  if (m_bFontsPending) {
    LOGFONT lf{};
    if (callerFont) callerFont->GetLogFont(&lf);
    m_fontNormal.CreateFontIndirect(&lf);
    lf.lfEscapement = lf.lfOrientation = 900;
    m_fontRotated.CreateFontIndirect(&lf);
    m_penAxis1.CreatePen(PS_SOLID, w, m_settings.crAxis1);
    m_penAxis2.CreatePen(PS_SOLID, w, m_settings.crAxis2);
    m_bFontsPending = false;
  }

  SOverhang overhang[4];
  for (ESide side : {kBottom, kTop, kLeft, kRight}) overhang[side] = MeasureSide(dc, side, w, m_side[side]);

  auto margin = [this](ESide side) {
    return m_side[side].title + m_side[side].labelBand + m_side[side].tick;
  };
  const int left = std::max({margin(kLeft), overhang[kBottom].first, overhang[kTop].first});
  const int right = std::max({margin(kRight), overhang[kBottom].last, overhang[kTop].last});
  const int bottom = std::max({margin(kBottom), overhang[kLeft].first, overhang[kRight].first});
  const int top = std::max({margin(kTop), overhang[kLeft].last, overhang[kRight].last});

  const RECT& area = m_settings.rcArea;
  if (m_settings.bAreaIsPlot) {
    m_rcPlot = area;
    m_rcPlot.top += m_settings.nPlotTopOffset;
    m_rcOuter = RECT{area.left - left, area.top - top, area.right + right, area.bottom + bottom};
  } else {
    m_rcPlot = RECT{area.left + left, area.top + top, area.right - right, area.bottom - bottom};
    m_rcOuter = area;
  }
  if (callerFont) dc->SelectObject(callerFont);
}

CPen* CGraphGrid::AxisPen(int flags, CPen* callerPen) {
  if (flags & GA_PEN1) return &m_penAxis1;
  if (flags & GA_PEN2) return &m_penAxis2;
  return callerPen;
}

int CGraphGrid::Edge(ESide side) const {
  switch (side) {
    case kBottom:
      return m_rcPlot.bottom;
    case kTop:
      return m_rcPlot.top;
    case kLeft:
      return m_rcPlot.left;
    default:
      return m_rcPlot.right;
  }
}

int CGraphGrid::Outward(ESide side) const { return side == kBottom || side == kRight ? 1 : -1; }

void CGraphGrid::Draw(CDC* dc) {
  CPen* callerPen = dc->GetCurrentPen();
  CFont* callerFont = dc->GetCurrentFont();
  const UINT callerAlign = dc->GetTextAlign();
  const int callerBkMode = dc->SetBkMode(TRANSPARENT);
  const int w = PenWidth(dc);
  RecalcLayout(dc, false);
  const auto& s = m_settings;

  if (s.bHorzGrid || s.bVertGrid) dc->SelectObject(m_pGridPen.get());
  if (s.bHorzGrid) {
    ForEachTick(s.dYMin, s.dYMax, s.dYStep, s.dYStep, [&](double v) {
      dc->MoveTo(ValueToX(s.dXMin), ValueToY(v));
      dc->LineTo(ValueToX(s.dXMax), ValueToY(v));
    });
  }
  if (s.bVertGrid) {
    ForEachTick(s.dXMin, s.dXMax, s.dXStep, s.dXStep, [&](double v) {
      dc->MoveTo(ValueToX(v), ValueToY(s.dYMin));
      dc->LineTo(ValueToX(v), ValueToY(s.dYMax));
    });
  }
  dc->SelectObject(callerPen);

  DrawZeroAxes(dc, w, callerPen);
  for (ESide side : {kTop, kBottom, kLeft, kRight}) DrawSide(dc, side, w, callerPen);

  dc->SetTextAlign(callerAlign);
  dc->SelectObject(callerPen);
  dc->SelectObject(callerFont);
  dc->SetBkMode(callerBkMode);
}

void CGraphGrid::DrawZeroAxes(CDC* dc, int w, CPen* callerPen) {
  const auto& s = m_settings;
  if (s.dYMin < 0 && 0 < s.dYMax) {
    const int flags = s.nXZeroAxis;
    const int y0 = ValueToY(0);
    dc->SelectObject(AxisPen(flags, callerPen));
    if (flags & GA_LINE) {
      dc->MoveTo(ValueToX(s.dXMin), y0);
      dc->LineTo(ValueToX(s.dXMax), y0);
    }
    auto tick = [&](int length, int inBit, int outBit) {
      return [&, length, inBit, outBit](double v) {
        dc->MoveTo(ValueToX(v), y0 - ((flags & inBit) ? length : 0));
        dc->LineTo(ValueToX(v), y0 + ((flags & outBit) ? length : 0));
      };
    };
    ForEachTick(s.dXMin, s.dXMax, s.dXStep, s.dXStep, tick(kMajorTick * w, GA_MAJOR_IN, GA_MAJOR_OUT));
    ForEachTick(s.dXMin, s.dXMax, s.dXMinorStep, s.dXStep, tick(kMinorTick * w, GA_MINOR_IN, GA_MINOR_OUT));
  }
  if (s.dXMin <= 0 && 0 <= s.dXMax) {
    const int flags = s.nYZeroAxis;
    const int x0 = ValueToX(0);
    dc->SelectObject(AxisPen(flags, callerPen));
    if (flags & GA_LINE) {
      dc->MoveTo(x0, ValueToY(s.dYMin));
      dc->LineTo(x0, ValueToY(s.dYMax));
    }
    auto tick = [&](int length, int inBit, int outBit) {
      return [&, length, inBit, outBit](double v) {
        dc->MoveTo(x0 - ((flags & outBit) ? length : 0), ValueToY(v));
        dc->LineTo(x0 + ((flags & inBit) ? length : 0), ValueToY(v));
      };
    };
    ForEachTick(s.dYMin, s.dYMax, s.dYStep, s.dYStep, tick(kMajorTick * w, GA_MAJOR_IN, GA_MAJOR_OUT));
    ForEachTick(s.dYMin, s.dYMax, s.dYMinorStep, s.dYStep, tick(kMinorTick * w, GA_MINOR_IN, GA_MINOR_OUT));
  }
}

void CGraphGrid::DrawTicks(CDC* dc, ESide side, int flags, int w) {
  const auto& s = m_settings;
  const bool x = IsXSide(side);
  const int edge = Edge(side);
  const int out = Outward(side);
  auto tick = [&](int length, int inBit, int outBit) {
    return [&, length, inBit, outBit](double v) {
      const int inner = edge - out * ((flags & inBit) ? length : 0);
      const int outer = edge + out * ((flags & outBit) ? length : 0);
      const int from = std::min(inner, outer);
      const int to = std::max(inner, outer);
      if (x) {
        dc->MoveTo(ValueToX(v), from);
        dc->LineTo(ValueToX(v), to);
      } else {
        dc->MoveTo(from, ValueToY(v));
        dc->LineTo(to, ValueToY(v));
      }
    };
  };
  const double min = x ? s.dXMin : s.dYMin;
  const double max = x ? s.dXMax : s.dYMax;
  const double step = x ? s.dXStep : s.dYStep;
  const double minor = x ? s.dXMinorStep : s.dYMinorStep;
  ForEachTick(min, max, step, step, tick(kMajorTick * w, GA_MAJOR_IN, GA_MAJOR_OUT));
  ForEachTick(min, max, minor, step, tick(kMinorTick * w, GA_MINOR_IN, GA_MINOR_OUT));
}

void CGraphGrid::DrawSide(CDC* dc, ESide side, int w, CPen* callerPen) {
  const auto& s = m_settings;
  const int flags = Flags(side);
  const bool x = IsXSide(side);
  const int edge = Edge(side);
  const int out = Outward(side);

  dc->SelectObject(AxisPen(flags, callerPen));
  if (flags & GA_LINE) {
    if (x) {
      dc->MoveTo(ValueToX(s.dXMin), edge);
      dc->LineTo(ValueToX(s.dXMax), edge);
    } else {
      dc->MoveTo(edge, ValueToY(s.dYMin));
      dc->LineTo(edge, ValueToY(s.dYMax));
    }
  }
  DrawTicks(dc, side, flags, w);
  const int outerEnd = edge + out * m_side[side].tick;

  const bool clipMin = x ? s.bClipXLeft : s.bClipYBottom;
  const bool clipMax = x ? s.bClipXRight : s.bClipYTop;
  const bool clip = clipMin || clipMax;
  int saved = 0;
  if (clip) {
    // The band beyond the ticks, cut at the plot's ends where the clip flags ask for it.
    saved = dc->SaveDC();
    RECT band{};
    if (x) {
      band.left = clipMin ? ValueToX(s.dXMin) : -kFar;
      band.right = clipMax ? ValueToX(s.dXMax) : kFar;
      band.top = out > 0 ? outerEnd : -kFar;
      band.bottom = out > 0 ? kFar : outerEnd;
    } else {
      band.top = clipMax ? ValueToY(s.dYMax) : -kFar;
      band.bottom = clipMin ? ValueToY(s.dYMin) : kFar;
      band.left = out > 0 ? outerEnd : -kFar;
      band.right = out > 0 ? kFar : outerEnd;
    }
    dc->IntersectClipRect(&band);
  }
  if (flags & (GA_LABELS | GA_LABELS_ROTATED)) DrawLabels(dc, side, flags, outerEnd, w);
  if (flags & (GA_TITLE | GA_TITLE_ROTATED)) DrawTitle(dc, side, flags);
  if (clip) dc->RestoreDC(saved);
}

namespace {

// Text alignment of labels and titles by side (bottom, top, left, right), normal and rotated.
constexpr UINT kAlignNormal[4] = {TA_LEFT | TA_TOP, TA_BOTTOM, TA_RIGHT, TA_LEFT};
constexpr UINT kAlignRotated[4] = {TA_RIGHT, TA_LEFT | TA_TOP, TA_RIGHT | TA_BOTTOM, TA_RIGHT};

}  // namespace

void CGraphGrid::DrawLabels(CDC* dc, ESide side, int flags, int outerEnd, int w) {
  const auto& s = m_settings;
  const bool x = IsXSide(side);
  const bool rotated = Rotated(flags, GA_LABELS_ROTATED);
  dc->SelectObject(rotated ? &m_fontRotated : &m_fontNormal);
  dc->SetTextAlign(rotated ? kAlignRotated[side] : kAlignNormal[side]);

  const double step = x ? s.dXStep : s.dYStep;
  const bool clipMin = x ? s.bClipXLeft : s.bClipYBottom;
  const bool clipMax = x ? s.bClipXRight : s.bClipYTop;
  const double min = x ? s.dXMin : s.dYMin;
  const double max = x ? s.dXMax : s.dYMax;
  // Clipped ends also get the label one step beyond, which the clip cuts at the plot's end.
  const double first = CeilToStep(min, step) - (clipMin ? step : 0);
  const double limit = max + step / 1e6 + (clipMax ? step : 0);
  const int across = outerEnd + Outward(side) * (x ? s.nXLabelGap : s.nYLabelGap) * w;
  ForEachTickFrom(first, limit, step, [&](double v) {
    const CString text = Label(side, v);
    const int back = AlongAxis(side, rotated, dc->GetTextExtent(text)) / 2;
    if (x)
      dc->TextOut(ValueToX(v) - back, across, text);
    else
      dc->TextOut(across, ValueToY(v) - back, text);
  });
}

void CGraphGrid::DrawTitle(CDC* dc, ESide side, int flags) {
  const auto& s = m_settings;
  const bool x = IsXSide(side);
  const bool rotated = Rotated(flags, GA_TITLE_ROTATED);
  dc->SelectObject(rotated ? &m_fontRotated : &m_fontNormal);
  dc->SetTextAlign(rotated ? kAlignRotated[side] : kAlignNormal[side]);
  const CString& title = x ? s.strXTitle : s.strYTitle;
  const int back = AlongAxis(side, rotated, dc->GetTextExtent(title)) / 2;
  const int across = Edge(side) + Outward(side) * (m_side[side].tick + m_side[side].labelBand);
  if (x)
    dc->TextOut(ValueToX((s.dXMin + s.dXMax) / 2) - back, across, title);
  else
    dc->TextOut(across, ValueToY((s.dYMin + s.dYMax) / 2) - back, title);
}
