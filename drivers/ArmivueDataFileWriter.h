#pragma once
// Writes one Armivue measurement object as the instrument's data-file text: label lines of
// 36 characters and three semicolons, a quoted comment, and a table of 18-character columns;
// lines end with CR LF.

#include "drivers/ArmivueMeasurement.h"

namespace Device {

class CArmivueDataFileWriter {
 public:
  // False, and the text left empty, for an unknown unit system or storage mode.
  static bool Write(const SArmivueMeasurement& meas, CString& text);

 private:
  static void AppendLabel(CString& text, const char16_t* label, const char16_t* marker, const CString& value);
  static void AppendSettings(CString& text, const SArmivueMeasurement& meas);
  static void AppendData(CString& text, const SArmivueMeasurement& meas);
  static void AppendReading(CString& text, BYTE regional, const SArmivueReading& reading);
  static CString CorrectionText(BYTE regional, BYTE correction);
  static CString DateText(std::int64_t date);
};

}  // namespace Device
