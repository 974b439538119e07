#include "calibration/TestSettings.h"

#include "appbase/LoadStringOrPlaceholder.h"
#include "document/Units.h"
#include "resources/ResourceIds.h"

CString STestSettings::Format() const {
  const double limit = ConvertForce(loadLimit, area, unit);
  CString rateValue, rateUnit, areaValue, areaUnit;
  FormatRate(rate, area, unit, rateValue, rateUnit);
  FormatArea(area, unit, areaValue, areaUnit);
  CString text;
  text.Format(u"%s: %s %s  %s: %s %s  %s: %s %s", LoadStringOrPlaceholder(IDS_LIVE_LOAD_LIMIT).GetString(),
              FormatValue(limit, IsMetricUnit(unit) ? 2 : 0).GetString(), UnitName(unit).GetString(),
              LoadStringOrPlaceholder(IDS_LIVE_LOAD_RATE).GetString(), rateValue.GetString(),
              rateUnit.GetString(), LoadStringOrPlaceholder(IDS_LIVE_TEST_DISC_AREA).GetString(),
              areaValue.GetString(), areaUnit.GetString());
  return text;
}
