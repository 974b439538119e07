#pragma once
// Display units of forces, rates, areas and lengths, their value and unit texts, the names of
// the failure-mode classes, and the user's date and time pictures. A measurement stores forces
// in N, rates in N/s, areas in mm2 and lengths in mm; every text the user sees is converted to
// one of five display units. Unit words come from the string table so that a language module
// can translate them.

#include "platform/base/String.h"

enum : BYTE {
  UNIT_LBF = 0,
  UNIT_KN = 1,
  UNIT_PSI = 2,
  UNIT_N_MM2 = 3,
  UNIT_MPA = 4,
  UNIT_COUNT = 5,
};

// False for the imperial units (lbf, PSI).
bool IsMetricUnit(BYTE unit);
// A force in N on an area in mm2 in the display unit; 0 for an unknown unit. The pressure units
// give 0 on an area of 0, since a test disc without area has no stress to show.
double ConvertForce(double force, double area, BYTE unit);
// Decimals of a force text: 0 for imperial units, else 3 for a 6000 N load limit and 2 otherwise.
int GetForceDecimals(BYTE unit, int loadLimit);
// A value as "%0.*lf".
CString FormatValue(double value, int decimals);

// A rate in N/s on an area in mm2: fills the value and unit texts, returns the converted rate.
double FormatRate(double rate, double area, BYTE unit, CString& valueText, CString& unitText);
// An area in mm2 (in2 for imperial units): fills both texts, returns the converted area.
double FormatArea(double area, BYTE unit, CString& valueText, CString& unitText);
// A length in mm (in for imperial units): fills both texts, returns the converted length.
double FormatLength(double length, BYTE unit, CString& valueText, CString& unitText);

CString UnitName(BYTE unit);
CString AreaUnitName(BYTE unit);
CString LengthUnitName(BYTE unit);
// "A", "AB", "B", "BC", "C", "CD" for the codes 0 to 5, "???" otherwise.
CString FailureClassName(BYTE code);

// The date and time setting: bits 8 to 15 choose the date picture, bits 0 to 7 the time
// picture (0 to 3; higher values choose 0). The application sets it from its settings.
void SetDateTimeFormatSetting(DWORD setting);
// The current picture from the string table; its string id goes to outId when given.
CString GetDateFormatString(UINT* outId = nullptr);
CString GetTimeFormatString(UINT* outId = nullptr);
