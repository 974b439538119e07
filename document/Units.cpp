#include "document/Units.h"

#include <atomic>

#include "appbase/LoadStringOrPlaceholder.h"
#include "resources/ResourceIds.h"

namespace {

constexpr double kLbfPerNewton = 0.224809;
constexpr double kSquareInchPerMm2 = 0.00155;
constexpr double kInchPerMm = 0.03937;

std::atomic<DWORD> g_dateTimeSetting{0};

bool IsImperial(BYTE unit) { return unit == UNIT_LBF || unit == UNIT_PSI; }

CString Join(const char16_t* format, UINT first, UINT second) {
  CString text;
  text.Format(format, LoadStringOrPlaceholder(first), LoadStringOrPlaceholder(second));
  return text;
}

UINT PictureIndex(DWORD bits) { return bits > 3 ? 0 : bits; }

}  // namespace

bool IsMetricUnit(BYTE unit) { return !IsImperial(unit); }

double ConvertForce(double force, double area, BYTE unit) {
  switch (unit) {
    case UNIT_LBF:
      return force * kLbfPerNewton;
    case UNIT_KN:
      return force * 0.001;
    case UNIT_PSI:
      return area > 0 ? (force * kLbfPerNewton) / (area * kSquareInchPerMm2) : 0.0;
    case UNIT_N_MM2:
    case UNIT_MPA:
      return area > 0 ? force / area : 0.0;
    default:
      return 0.0;
  }
}

int GetForceDecimals(BYTE unit, int loadLimit) {
  if (IsImperial(unit)) return 0;
  return loadLimit == 6000 ? 3 : 2;
}

CString FormatValue(double value, int decimals) {
  CString text;
  text.Format(u"%0.*lf", decimals, value);
  return text;
}

double FormatRate(double rate, double area, BYTE unit, CString& valueText, CString& unitText) {
  double value = 0.0;
  int decimals = 0;
  switch (unit) {
    case UNIT_LBF:
      value = rate * kLbfPerNewton;
      unitText = Join(u"%s/%s", IDS_UNIT_LBF, IDS_UNIT_SECOND);
      break;
    case UNIT_KN:
      value = rate;
      unitText = Join(u"%s/%s", IDS_UNIT_N, IDS_UNIT_SECOND);
      break;
    case UNIT_PSI:
      value = area > 0 ? rate * kLbfPerNewton / (area * kSquareInchPerMm2) : 0.0;
      unitText = Join(u"%s/%s", IDS_UNIT_PSI, IDS_UNIT_SECOND);
      break;
    case UNIT_N_MM2:
      value = area > 0 ? rate / area : 0.0;
      decimals = 3;
      unitText = Join(u"%s%s", IDS_UNIT_N_MM2, IDS_UNIT_SECOND);
      break;
    case UNIT_MPA:
      value = area > 0 ? rate * 1000000.0 / area * 0.000001 : 0.0;
      decimals = 3;
      unitText = Join(u"%s/%s", IDS_UNIT_MPA, IDS_UNIT_SECOND);
      break;
    default:
      unitText.Empty();
      break;
  }
  valueText = FormatValue(value, decimals);
  return value;
}

double FormatArea(double area, BYTE unit, CString& valueText, CString& unitText) {
  const double value = IsImperial(unit) ? area * kSquareInchPerMm2 : area;
  valueText = FormatValue(value, IsImperial(unit) ? 2 : 0);
  unitText = AreaUnitName(unit);
  return value;
}

double FormatLength(double length, BYTE unit, CString& valueText, CString& unitText) {
  const double value = IsImperial(unit) ? length * kInchPerMm : length;
  valueText = FormatValue(value, IsImperial(unit) ? 2 : 1);
  unitText = LengthUnitName(unit);
  return value;
}

CString UnitName(BYTE unit) {
  static constexpr UINT kIds[UNIT_COUNT] = {IDS_UNIT_LBF, IDS_UNIT_KN, IDS_UNIT_PSI, IDS_UNIT_N_MM2,
                                            IDS_UNIT_MPA};
  return LoadStringOrPlaceholder(unit < UNIT_COUNT ? kIds[unit] : IDS_UNIT_UNKNOWN);
}

CString AreaUnitName(BYTE unit) {
  return LoadStringOrPlaceholder(IsImperial(unit) ? IDS_UNIT_IN2 : IDS_UNIT_MM2);
}

CString LengthUnitName(BYTE unit) {
  return LoadStringOrPlaceholder(IsImperial(unit) ? IDS_UNIT_IN : IDS_UNIT_MM);
}

CString FailureClassName(BYTE code) {
  static const char16_t* const kNames[6] = {u"A", u"AB", u"B", u"BC", u"C", u"CD"};
  return code < 6 ? kNames[code] : u"???";
}

void SetDateTimeFormatSetting(DWORD setting) { g_dateTimeSetting = setting; }

CString GetDateFormatString(UINT* outId) {
  const UINT id = IDS_DATE_FORMAT_FIRST + PictureIndex((g_dateTimeSetting >> 8) & 0xFF);
  if (outId) *outId = id;
  return LoadStringOrPlaceholder(id);
}

CString GetTimeFormatString(UINT* outId) {
  const UINT id = IDS_TIME_FORMAT_FIRST + PictureIndex(g_dateTimeSetting & 0xFF);
  if (outId) *outId = id;
  return LoadStringOrPlaceholder(id);
}
