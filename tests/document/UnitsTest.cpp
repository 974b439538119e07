#include <gtest/gtest.h>

#include "appbase/LoadStringOrPlaceholder.h"
#include "document/Units.h"
#include "resources/ResourceIds.h"

namespace {

TEST(Units, ConvertForceToEveryUnit) {
  EXPECT_DOUBLE_EQ(ConvertForce(1000, 100, UNIT_LBF), 224.809);
  EXPECT_DOUBLE_EQ(ConvertForce(1000, 100, UNIT_KN), 1.0);
  EXPECT_NEAR(ConvertForce(1000, 100, UNIT_PSI), 1450.38064516, 1e-7);
  EXPECT_DOUBLE_EQ(ConvertForce(1000, 100, UNIT_N_MM2), 10.0);
  EXPECT_DOUBLE_EQ(ConvertForce(1000, 100, UNIT_MPA), 10.0);
  EXPECT_DOUBLE_EQ(ConvertForce(1000, 100, 7), 0.0);
}

TEST(Units, ForceDecimalsByUnitAndLoadLimit) {
  EXPECT_EQ(GetForceDecimals(UNIT_KN, 6000), 3);
  EXPECT_EQ(GetForceDecimals(UNIT_KN, 16000), 2);
  EXPECT_EQ(GetForceDecimals(UNIT_LBF, 6000), 0);
  EXPECT_EQ(GetForceDecimals(UNIT_PSI, 25000), 0);
  EXPECT_EQ(GetForceDecimals(UNIT_MPA, 6000), 3);
  EXPECT_FALSE(IsMetricUnit(UNIT_LBF));
  EXPECT_FALSE(IsMetricUnit(UNIT_PSI));
  EXPECT_TRUE(IsMetricUnit(UNIT_N_MM2));
}

TEST(Units, RateTextsOfEveryUnit) {
  struct Case {
    BYTE unit;
    double area;
    const char16_t* value;
    const char16_t* unitText;
  } cases[] = {
      {UNIT_LBF, 100, u"22", u"lbf/s"},    {UNIT_KN, 100, u"100", u"N/s"},
      {UNIT_PSI, 100, u"145", u"PSI/s"},   {UNIT_N_MM2, 100, u"1.000", u"N/mm2s"},
      {UNIT_MPA, 100, u"1.000", u"Mpa/s"}, {7, 100, u"0", u""},
      {UNIT_PSI, 0, u"0", u"PSI/s"},       {UNIT_N_MM2, 0, u"0.000", u"N/mm2s"},
      {UNIT_MPA, 0, u"0.000", u"Mpa/s"},
  };
  for (const Case& c : cases) {
    CString value, unit = u"stale";
    FormatRate(100, c.area, c.unit, value, unit);
    EXPECT_EQ(value, c.value) << "unit " << int(c.unit) << " area " << c.area;
    EXPECT_EQ(unit, c.unitText) << "unit " << int(c.unit);
  }
}

TEST(Units, PressureUnitsOnAZeroAreaGiveNoInfinity) {
  for (BYTE unit : {UNIT_PSI, UNIT_N_MM2, UNIT_MPA}) {
    EXPECT_EQ(ConvertForce(1000, 0, unit), 0.0) << int(unit);
    EXPECT_EQ(FormatValue(ConvertForce(1000, 0, unit), 2), u"0.00");
  }
}

TEST(Units, AreaAndLengthTexts) {
  CString value, unit;
  EXPECT_EQ(FormatArea(1963, UNIT_KN, value, unit), 1963);
  EXPECT_EQ(value, u"1963");
  EXPECT_EQ(unit, u"mm2");
  FormatArea(1963, UNIT_LBF, value, unit);
  EXPECT_EQ(value, u"3.04");
  EXPECT_EQ(unit, u"in2");
  FormatLength(49.99369, UNIT_MPA, value, unit);
  EXPECT_EQ(value, u"50.0");
  EXPECT_EQ(unit, u"mm");
  FormatLength(49.99369, UNIT_PSI, value, unit);
  EXPECT_EQ(value, u"1.97");
  EXPECT_EQ(unit, u"in");
}

TEST(Units, NamesOfUnitsAndFailureClasses) {
  const char16_t* units[] = {u"lbf", u"kN", u"PSI", u"N/mm2", u"Mpa", u"Unknown unit"};
  for (BYTE u = 0; u < 6; ++u) EXPECT_EQ(UnitName(u), units[u]);
  const char16_t* classes[] = {u"A", u"AB", u"B", u"BC", u"C", u"CD", u"???"};
  for (BYTE c = 0; c < 7; ++c) EXPECT_EQ(FailureClassName(c), classes[c]);
}

TEST(Units, MissingStringTextsShowPlaceholders) {
  EXPECT_EQ(LoadStringOrPlaceholder(IDS_UNIT_LBF), u"lbf");
  EXPECT_EQ(LoadStringOrPlaceholder(64999), u"???");
}

TEST(Units, DateAndTimePicturesFromTheSetting) {
  UINT dateId = 0, timeId = 0;
  SetDateTimeFormatSetting(0x0203);
  EXPECT_EQ(GetDateFormatString(&dateId), u"dd/MM/yyyy");
  EXPECT_EQ(GetTimeFormatString(&timeId), u"HH:mm");
  EXPECT_EQ(dateId, 1066u);
  EXPECT_EQ(timeId, 1071u);
  SetDateTimeFormatSetting(0x0507);
  EXPECT_EQ(GetDateFormatString(), u"MM/dd/yyyy");
  EXPECT_EQ(GetTimeFormatString(), u"h:mm tt");
  SetDateTimeFormatSetting(0x0101);
  EXPECT_EQ(GetDateFormatString(), u"dd-MM-yyyy");
  EXPECT_EQ(GetTimeFormatString(), u"h:mmt");
}

}  // namespace
