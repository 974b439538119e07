#include "toolkit/GraphScale.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/Dc.h"
#include "toolkit/GraphGrid.h"

namespace {

constexpr int kMinExponent = -11;
constexpr int kMaxExponent = 11;
constexpr double kLog5 = 0.69897;
constexpr double kLog10Point5 = 1.02119;
constexpr double kLog21 = 1.32222;

// m · 10^e, dividing for negative exponents so that 0.2 or 0.05 come out as the nearest
// doubles to those decimals and compare equal to values parsed from text.
double Decimal(int m, int e) { return e >= 0 ? m * std::pow(10.0, e) : m / std::pow(10.0, -e); }

// The one-digit precision of a "%0.0lf"-style format sits at index 3.
void SetPrecision(CString& format, int digits) {
  if (format.GetLength() > 3) format.SetAt(3, char16_t(u'0' + std::clamp(digits, 0, 9)));
}

double NiceStep(double range, double& minorStep, CString& format) {
  minorStep = 0;
  if (!(range > 0)) return 0;
  // Split the logarithm into e and a fraction f in [log 5, log 50): the range holds 5 to 50
  // units of 10^e.
  double e = 0;
  double f = std::modf(std::log10(range), &e);
  for (const double bound : {0.0, kLog5}) {
    if (f < bound) {
      e -= 1;
      f += 1;
    }
  }
  if (e < kMinExponent || e > kMaxExponent) return 0;
  const int exponent = int(e);
  if (exponent < 0) SetPrecision(format, -exponent);
  const double step = Decimal(f < kLog10Point5 ? 1 : f < kLog21 ? 2 : 5, exponent);
  minorStep = step / 2;
  return step;
}

// The tick-count rule's step and the floor of the logarithm of the tick distance.
double StepForTickCount(double min, double max, int n, int& exponent) {
  const double d = (max - min) / (std::max(n, 2) - 1);
  exponent = 0;
  if (!(d > 0 && d < 1e300)) return 0;
  exponent = int(std::floor(std::log10(d)));
  static const int kMantissas[] = {1, 2, 5};
  for (int e = std::max(exponent, kMinExponent); e <= kMaxExponent; ++e) {
    for (int m : kMantissas) {
      const double step = Decimal(m, e);
      if (step >= d) return step;
    }
  }
  // Beyond the series the distance itself is the only step that keeps the count.
  return d;
}

CString FormatValue(const CString& format, double value) {
  CString text;
  text.Format(format, value);
  return text;
}

// The largest multiple of the step strictly below v, but never below 0 for v >= 0.
double AdjustMin(double v, double step) {
  double m = std::floor(v / step) * step;
  if (m >= v) m -= step;
  if (v >= 0 && m < 0) m = 0;
  return m;
}

}  // namespace

double NiceStepX(double range, double& minorStep, CString& format) {
  format = u"%0.0lf";
  return NiceStep(range, minorStep, format);
}

double NiceStepY(double range, double& minorStep, CString& format) {
  format = u"%5.0lf";
  return NiceStep(range, minorStep, format);
}

double StepForTickCountX(double min, double max, CString* format, int n) {
  int e = 0;
  const double step = StepForTickCount(min, max, n, e);
  if (format) {
    *format = u"%0.0lf";
    if (e < 0) SetPrecision(*format, -int(std::floor(std::log10(step))));
  }
  return step;
}

double StepForTickCountY(double min, double max, CString* format, int n) {
  int e = 0;
  const double step = StepForTickCount(min, max, n, e);
  if (format) {
    *format = u"%0.0lf";
    if (e < 0) SetPrecision(*format, -e);
  }
  return step;
}

double FitStepX(double& min, double& max, CString& format, bool adjustMin, bool adjustMax, int width, CDC* dc,
                const CString* unit, int minLabelSpacing) {
  WidenEmptyRange(min, max);
  const double a = min;
  const double b = max;
  const double range = b - a;
  const int w = std::max(width, 1);
  const double sample =
      dc->GetTextExtent(FormatValue(u"%0.0f", a)).cx > dc->GetTextExtent(FormatValue(u"%0.0f", b)).cx ? a : b;
  const int unitWidth = unit && !unit->IsEmpty() ? dc->GetTextExtent(*unit).cx : 0;

  double step = 0;
  for (int n = 100;;) {
    min = a;
    max = b;
    step = StepForTickCountX(a, b, &format, n);
    const int labelWidth = dc->GetTextExtent(FormatValue(format, sample)).cx + unitWidth;
    const int k = std::max(int(range / step), 1);
    if ((k + 1) * labelWidth <= 0.75 * w && w / k - labelWidth >= minLabelSpacing) break;
    n = k - 1;
    if (n <= 1) break;
  }
  if (adjustMin) min = AdjustMin(min, step);
  if (adjustMax) {
    const double q = std::trunc(max / step);
    if (max > q * step || max / ((q + 1) * step) >= 0.9)
      max = (q + 1) * step;
    else
      max = q * step;
  }
  return step;
}

double FitStepY(double& min, double& max, CString& format, bool adjustMin, bool adjustMax, int height,
                CDC* dc, const CString* unit) {
  WidenEmptyRange(min, max);
  const double a = min;
  const double b = max;
  const double range = b - a;
  const int h = std::max(height, 1);

  double step = 0;
  for (int n = 100;;) {
    min = a;
    max = b;
    step = StepForTickCountY(a, b, &format, n);
    CString label = FormatValue(format, b);
    if (unit) label += *unit;
    const int k = int(range / step);
    if ((k + 1) * dc->GetTextExtent(label).cy > 0.7 * h && k > 1) {
      n = k;
      continue;
    }
    break;
  }
  if (adjustMin) min = AdjustMin(min, step);
  if (adjustMax) max = (std::trunc(max / step) + 1) * step;
  return step;
}

void ComputeGraphSteps(SGraphSettings& s) {
  s.dXStep = NiceStepX(s.dXMax - s.dXMin, s.dXMinorStep, s.strXFormat);
  s.dYStep = NiceStepY(s.dYMax - s.dYMin, s.dYMinorStep, s.strYFormat);
}

void FitGraphScale(SGraphSettings& s, CDC* dc, bool adjustX, bool adjustY) {
  // The fitting measures labels over the range and divides by it: an empty range gets the
  // same minimum width that the frame would give it.
  WidenEmptyRange(s.dXMin, s.dXMax);
  WidenEmptyRange(s.dYMin, s.dYMax);
  ComputeGraphSteps(s);
  int width = 0;
  int height = 0;
  {
    CGraphGrid grid;
    grid.SetSettings(dc, s);
    width = grid.ValueToX(s.dXMax) - grid.ValueToX(s.dXMin);
    height = std::abs(grid.ValueToY(s.dYMax) - grid.ValueToY(s.dYMin));
  }
  s.dXStep =
      FitStepX(s.dXMin, s.dXMax, s.strXFormat, adjustX, adjustX, width, dc, &s.strXUnit, s.nXLabelMinSpacing);
  s.dXMinorStep = s.dXStep / 2;
  s.dYStep = FitStepY(s.dYMin, s.dYMax, s.strYFormat, adjustY, adjustY, height, dc, &s.strYUnit);
  s.dYMinorStep = s.dYStep / 2;
}
