#pragma once
// CGraphGrid: the frame of a chart (axes around the plot rectangle, zero axes, grid lines,
// ticks, labels and titles) and the mapping from data values to device coordinates, so that
// callers draw their own curves into the plot rectangle after Draw.

#include <memory>

#include "platform/gdi/Font.h"
#include "platform/gdi/Pen.h"
#include "toolkit/GraphSettings.h"

class CDC;

// The first multiple of step at or above v; exact multiples stay. v itself for a step that
// is not positive.
double CeilToStep(double v, double step);
// An empty or reversed range (max <= min) becomes min .. min + 1, so that mapping and
// fitting never divide by zero.
void WidenEmptyRange(double& min, double& max);

class CGraphGrid {
 public:
  CGraphGrid();
  virtual ~CGraphGrid();
  CGraphGrid(const CGraphGrid&) = delete;
  CGraphGrid& operator=(const CGraphGrid&) = delete;

  void SetSettings(CDC* dc, SGraphSettings settings);
  // Lays out again and draws; the context's pen, font, text alignment and background mode
  // are left as they were.
  void Draw(CDC* dc);
  int ValueToX(double x) const;
  int ValueToY(double y) const;
  RECT GetPlotRect() const { return m_rcPlot; }
  RECT GetOuterRect() const { return m_rcOuter; }
  void RecalcLayout(CDC* dc, bool recreateGridPen);

 private:
  enum ESide { kBottom, kTop, kLeft, kRight };
  struct SSideLayout {
    int title = 0;
    int labelBand = 0;
    int tick = 0;
  };
  struct SOverhang {
    int first = 0;  // at the range minimum (left or bottom)
    int last = 0;   // at the last major tick (right or top)
  };

  int Flags(ESide side) const;
  bool IsXSide(ESide side) const { return side == kBottom || side == kTop; }
  CString Label(ESide side, double value) const;
  // Extent of text in the given font: across the axis, or along it.
  CSize Extent(CDC* dc, CFont* font, const CString& text) const;
  int AcrossAxis(ESide side, bool rotated, CSize extent) const;
  int AlongAxis(ESide side, bool rotated, CSize extent) const;
  SOverhang MeasureSide(CDC* dc, ESide side, int w, SSideLayout& layout);

  CPen* AxisPen(int flags, CPen* callerPen);
  void DrawZeroAxes(CDC* dc, int w, CPen* callerPen);
  void DrawSide(CDC* dc, ESide side, int w, CPen* callerPen);
  void DrawTicks(CDC* dc, ESide side, int flags, int w);
  void DrawLabels(CDC* dc, ESide side, int flags, int outerEnd, int w);
  void DrawTitle(CDC* dc, ESide side, int flags);
  // Edge coordinate of a side and the outward direction (+1 or -1) across it.
  int Edge(ESide side) const;
  int Outward(ESide side) const;

  SGraphSettings m_settings;
  RECT m_rcPlot{0, 0, 0, 0};
  RECT m_rcOuter{0, 0, 0, 0};
  bool m_bFontsPending = true;
  CFont m_fontNormal;
  CFont m_fontRotated;
  std::unique_ptr<CPen> m_pGridPen;
  CPen m_penAxis1;
  CPen m_penAxis2;
  SSideLayout m_side[4];
};
