#pragma once
// Choosing tick steps and label formats for a chart: steps are 1, 2 or 5 times a power of
// ten, labels carry just enough decimals and do not crowd each other.

#include "toolkit/GraphSettings.h"

class CDC;

// Steps, minor steps and formats from the ranges alone; the ranges stay as they are.
void ComputeGraphSteps(SGraphSettings& s);
// Steps that keep the labels apart in the context; widens the ranges to whole steps when asked.
void FitGraphScale(SGraphSettings& s, CDC* dc, bool adjustX, bool adjustY);

// Range rule: 5 to 10.5 steps over the range; 0 for an empty range.
double NiceStepX(double range, double& minorStep, CString& format);
double NiceStepY(double range, double& minorStep, CString& format);

// Tick-count rule: the smallest 1-2-5 step giving at most n ticks over min..max; 0 for an
// empty range.
double StepForTickCountX(double min, double max, CString* format, int n);
double StepForTickCountY(double min, double max, CString* format, int n);

// Both widen an empty range first, as the chart frame does.
double FitStepX(double& min, double& max, CString& format, bool adjustMin, bool adjustMax, int width, CDC* dc,
                const CString* unit, int minLabelSpacing);
double FitStepY(double& min, double& max, CString& format, bool adjustMin, bool adjustMax, int height,
                CDC* dc, const CString* unit);
