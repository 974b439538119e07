#include "drivers/ArmivueDataFileWriter.h"

#include "drivers/ArmivueBarTable.h"
#include "drivers/ArmivueEscaping.h"
#include "platform/base/LocalTime.h"

namespace Device {
namespace {

constexpr const char16_t* kRegionalNames[] = {u"Metric", u"ASTM inch", u"ASTM mm", u"Japanese"};
constexpr const char16_t* kStorageNames[] = {u"Manual", u"Auto"};
constexpr const char16_t* kNewLine = u"\r\n";
constexpr const char16_t* kApostrophe = u"'";
constexpr const char16_t* kQuote = u"\"";
constexpr const char16_t* kNoMarker = u"";
// Corrections in inches, selected by the correction in millimetres divided by ten.
constexpr const char16_t* kInchCorrections[] = {u"0.0", u"0.0", u"0.0", u"0.0", u"0.0", u"2.0", u"2.4",
                                                u"2.8", u"3.2", u"3.6", u"4.0", u"4.4", u"4.8", u"5.2"};

CString Number(int value) {
  CString text;
  text.Format(u"%d", value);
  return text;
}

CString Blanks(int count) { return CString(u' ', count); }

}  // namespace

bool CArmivueDataFileWriter::Write(const SArmivueMeasurement& meas, CString& text) {
  text.Empty();
  if (meas.regional > SArmivueMeasurement::kJapanese) return false;
  if (meas.storageMode > SArmivueMeasurement::kAutoStorage) return false;
  AppendLabel(text, u"Armivue+ Data File Version", kApostrophe, meas.version.Format(2));
  text += kNewLine;
  text += u"Instrument Data\r\n";
  AppendLabel(text, u"    Name", kNoMarker, meas.name);
  AppendLabel(text, u"    Serial Number", kNoMarker, meas.serialNumber);
  AppendLabel(text, u"    Software Version", kApostrophe, meas.softwareVersion);
  AppendLabel(text, u"    Hardware Index", kNoMarker, meas.hardwareIndex);
  AppendLabel(text, u"    Signature", kApostrophe, meas.signature);
  text += kNewLine;
  AppendSettings(text, meas);
  text += u"Comment\r\n    \"" + CArmivueEscaping::Escape(meas.comment) + u"\"\r\n\r\n\r\n\r\n";
  AppendData(text, meas);
  return true;
}

void CArmivueDataFileWriter::AppendLabel(CString& text, const char16_t* label, const char16_t* marker,
                                         const CString& value) {
  text.AppendFormat(u"%-36s;;;%s%s\r\n", label, marker, value.GetString());
}

void CArmivueDataFileWriter::AppendSettings(CString& text, const SArmivueMeasurement& meas) {
  const bool astm = CArmivueBarTable::IsAstm(meas.regional);
  text += u"Settings\r\n";
  AppendLabel(text, u"    Regional", kNoMarker, kRegionalNames[meas.regional]);
  AppendLabel(text, u"    Data Storage Mode", kNoMarker, kStorageNames[meas.storageMode]);
  AppendLabel(text, u"    Raw Default Bar Diameter [mm]", kApostrophe, Number(meas.rawDefaultDiameter));
  const CString diameter = Number(CArmivueBarTable::Diameter(meas.regional, meas.rawDefaultDiameter));
  if (astm)
    AppendLabel(text, u"    Default Bar Diameter", kApostrophe, u"#" + diameter);
  else
    AppendLabel(text, u"    Default Bar Diameter [mm]", kApostrophe, diameter);
  const bool inch = meas.regional == SArmivueMeasurement::kAstmInch;
  AppendLabel(text, inch ? u"    Neighboring Bar Correction [in]" : u"    Neighboring Bar Correction [mm]",
              kApostrophe, CorrectionText(meas.regional, meas.correction));
  text += kNewLine;
}

void CArmivueDataFileWriter::AppendData(CString& text, const SArmivueMeasurement& meas) {
  text += u"Data\r\n";
  AppendLabel(text, u"    Object Number", kNoMarker, Number(WORD(meas.objectNumber)));
  AppendLabel(text, u"    Object Name", kQuote, CArmivueEscaping::Escape(meas.objectName) + kQuote);
  AppendLabel(text, u"    Date", kApostrophe, DateText(meas.date));
  AppendLabel(text, u"    # of Measurements", kNoMarker, Number(int(meas.readings.size())));
  text += u"\r\n\r\n";
  switch (meas.regional) {
    case SArmivueMeasurement::kAstmMm:
      text += u"Number            ;Cover [mm]        ;Diameter          ;Raw Diameter [mm] \r\n";
      break;
    case SArmivueMeasurement::kAstmInch:
      text += u"Number            ;Cover [in]        ;Diameter          ;Raw Diameter [mm] \r\n";
      break;
    default:
      text += u"Number            ;Cover [mm]        ;Diameter [mm]     ;Raw Diameter [mm] \r\n";
      break;
  }
  const CString dashes(u'-', 18);
  text += dashes + u";" + dashes + u";" + dashes + u";" + dashes + kNewLine;
  for (const SArmivueReading& reading : meas.readings) AppendReading(text, meas.regional, reading);
}

void CArmivueDataFileWriter::AppendReading(CString& text, BYTE regional, const SArmivueReading& reading) {
  text.AppendFormat(u"%2d", reading.number);
  text += Blanks(16) + u";";
  if (reading.cover == 255)
    text += u"n/a" + Blanks(15);
  else if (regional == SArmivueMeasurement::kAstmInch)
    text.AppendFormat(u"%4.2f%s", reading.cover / kMillimetresPerInch, Blanks(14).GetString());
  else
    text.AppendFormat(u"%3d%s", reading.cover, Blanks(15).GetString());
  text += u";";
  if (reading.rawDiameter == 0) {
    text += u"n/a" + Blanks(15) + u";";
  } else {
    const int value = CArmivueBarTable::Diameter(regional, reading.rawDiameter);
    const bool oneDigit = value < 10;
    if (CArmivueBarTable::IsAstm(regional))
      text += u"#" + Number(value) + Blanks(oneDigit ? 16 : 15) + u";";
    else
      text += (oneDigit ? u" " : u"") + Number(value) + Blanks(16) + u";";
  }
  if (reading.rawDiameter == 0)
    text += u"n/a";
  else
    text.AppendFormat(u"%2d", reading.rawDiameter);
  text += kNewLine;
}

CString CArmivueDataFileWriter::CorrectionText(BYTE regional, BYTE correction) {
  if (correction == 0) return u"-";
  if (regional != SArmivueMeasurement::kAstmInch) return Number(correction);
  const int index = correction / 10;
  return kInchCorrections[index < int(std::size(kInchCorrections)) ? index : 0];
}

CString CArmivueDataFileWriter::DateText(std::int64_t date) {
  SLocalTime local;
  StampToLocalTime(date, local);
  CString text;
  text.Format(u"%d.%d.%d  %d:%d:%d", local.day, local.month, local.year, local.hour, local.minute,
              local.second);
  return text;
}

}  // namespace Device
