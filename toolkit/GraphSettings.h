#pragma once
// SGraphSettings: everything a chart frame needs to know (ranges, steps, label formats,
// titles, axis flags, colours). A plain value record: copies copy all of it.

#include "platform/base/String.h"
#include "platform/gdi/Geometry.h"

// Axis flag bits, shared by the four edge axes and the two zero axes.
constexpr int GA_LINE = 0x001;
constexpr int GA_MAJOR_IN = 0x002;
constexpr int GA_MAJOR_OUT = 0x004;
constexpr int GA_MINOR_IN = 0x008;
constexpr int GA_MINOR_OUT = 0x010;
constexpr int GA_LABELS = 0x020;
constexpr int GA_LABELS_ROTATED = 0x040;
constexpr int GA_TITLE = 0x080;
constexpr int GA_TITLE_ROTATED = 0x100;
constexpr int GA_PEN1 = 0x400;
constexpr int GA_PEN2 = 0x800;

struct SGraphSettings {
  // The area given to the chart: the outer area, or the plot rectangle itself with bAreaIsPlot.
  RECT rcArea{0, 0, 0, 0};
  bool bAreaIsPlot = false;
  double dXMin = 0;
  double dXMax = 0;
  double dXStep = 0;
  double dXMinorStep = 0;
  CString strXFormat = u"%0.0lf";
  CString strXTitle;
  CString strXUnit;
  // Gap between the y ticks and the y labels, in pen widths.
  int nYLabelGap = 0;
  int nXLabelMinSpacing = 0;
  double dYMin = 0;
  double dYMax = 0;
  double dYStep = 0;
  double dYMinorStep = 0;
  CString strYFormat = u"%0.0lf";
  CString strYTitle;
  CString strYUnit;
  // Gap between the x ticks and the x labels, in pen widths.
  int nXLabelGap = 0;
  int nTopAxis = 31;
  int nBottomAxis = 191;
  int nLeftAxis = 319;
  int nRightAxis = 31;
  int nXZeroAxis = 31;
  int nYZeroAxis = 31;
  bool bHorzGrid = true;
  bool bVertGrid = true;
  bool bClipXRight = false;
  bool bClipXLeft = false;
  bool bClipYTop = false;
  bool bClipYBottom = false;
  COLORREF crGrid = RGB(168, 168, 168);
  COLORREF crAxis1 = RGB(200, 0, 0);
  COLORREF crAxis2 = RGB(0, 200, 0);
  int nPlotTopOffset = 0;
};
