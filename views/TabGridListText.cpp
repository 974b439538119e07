// The measurement list of the text export: a header block of three lines and one line per
// measurement, each field followed by a TAB, each line ended by CR-LF.

#include <initializer_list>

#include "appbase/EscapeMarkup.h"
#include "appbase/LoadStringOrPlaceholder.h"
#include "device/FileVersionInfo.h"
#include "document/MeasurementId.h"
#include "document/ZedoDoc.h"
#include "platform/base/LocalTime.h"
#include "resources/ResourceIds.h"
#include "views/ExportCurve.h"
#include "views/TabGrid.h"
#include "views/TextPieces.h"

namespace {

constexpr int kSampleColumns = 100;

// "<label> <unit word>", the heading of a unit column.
CString UnitHeading(UINT id) {
  return LoadStringOrPlaceholder(id) + u" " + LoadStringOrPlaceholder(IDS_SUMMARY_UNIT);
}

// "<label>(<seconds word>)", the heading of a time column.
CString SecondsHeading(UINT id) {
  return LoadStringOrPlaceholder(id) + u"(" + LoadStringOrPlaceholder(IDS_UNIT_SECOND) + u")";
}

// One piece of a field and its separator.
void Field(CTextPieces& out, const CString& text) { out.Text(text).Tab().End(); }

// One piece of several fields, each with its separator.
void Fields(CTextPieces& out, std::initializer_list<CString> fields) {
  for (const CString& field : fields) out.Text(field).Tab();
  out.End();
}

void WriteHeader(CTextPieces& out, bool withCurve) {
  CFileVersionInfo version;
  version.CreateFromModule(nullptr);
  out.Text(u"ZD-Zedo Version").Tab().Text(version.GetProductVersion()).LineEnd().End();
  out.Text(u"---------------").LineEnd().End();

  Fields(out, {LoadStringOrPlaceholder(IDS_LABEL_SLOT_ID), LoadStringOrPlaceholder(IDS_LABEL_ID),
               LoadStringOrPlaceholder(IDS_LABEL_DATE), LoadStringOrPlaceholder(IDS_LABEL_TIME),
               LoadStringOrPlaceholder(IDS_LABEL_DISC_AREA), UnitHeading(IDS_LABEL_DISC_AREA),
               LoadStringOrPlaceholder(IDS_LABEL_DISC_DIAMETER), UnitHeading(IDS_LABEL_DISC_DIAMETER)});
  Fields(out, {LoadStringOrPlaceholder(IDS_EXPORT_LOAD_LIMIT), LoadStringOrPlaceholder(IDS_LABEL_PEAK_LOAD),
               UnitHeading(IDS_EXPORT_LOAD), LoadStringOrPlaceholder(IDS_LABEL_LOAD_RATE),
               LoadStringOrPlaceholder(IDS_LABEL_EFFECTIVE_LOAD_RATE), UnitHeading(IDS_LABEL_LOAD_RATE),
               SecondsHeading(IDS_LABEL_PEAK_LOAD_TIME), SecondsHeading(IDS_LABEL_TEAR_OFF_TIME)});
  Fields(out, {u"FM1 Class", u"FM1 (%)", u"FM2 Class", u"FM2 (%)", u"FM3 Class", u"FM3 (%)",
               LoadStringOrPlaceholder(IDS_LABEL_COMMENT)});
  Fields(out,
         {u"Dev SN", u"HW SN", u"HW Rev", u"FW Ver", LoadStringOrPlaceholder(IDS_LABEL_LAST_CALIBRATION)});
  if (withCurve) {
    Fields(out, {LoadStringOrPlaceholder(IDS_EXPORT_LOAD_DATA),
                 LoadStringOrPlaceholder(IDS_EXPORT_SAMPLING_PERIOD) + u" (s)"});
    const CString load = LoadStringOrPlaceholder(IDS_EXPORT_LOAD);
    for (int n = 1; n <= kSampleColumns; ++n) out.Text(load).Text(u" #").Integer(n).Tab().End();
  }
  out.LineEnd().End();
}

// The stamp's own local date and time, daylight saving included, as the grid and the report
// show it.
void WriteDateAndTime(CTextPieces& out, std::int64_t stamp) {
  SLocalTime local;
  StampToLocalTime(stamp, local);
  out.Integer(local.year).Char(u'-').Integer(local.month, 2).Char(u'-').Integer(local.day, 2).Tab().End();
  out.Integer(local.hour, 2).Char(u':').Integer(local.minute, 2).Char(u':').Integer(local.second, 2).Tab();
  out.End();
}

void WriteLine(CZedoDoc& doc, int index, bool withCurve, CTextPieces& out) {
  out.Integer(doc.GetSlotId(index)).Tab().End();
  Field(out, FormatMeasurementId(doc.GetId(index)));
  CString text;
  WriteDateAndTime(out, doc.GetDateTimeText(index, text));

  CString value, unit;
  doc.GetAreaText(index, value, unit);
  Fields(out, {value, unit});
  doc.GetDiameterText(index, value, unit);
  Fields(out, {value, unit});
  doc.GetLoadText(index, value, unit);
  Field(out, value);
  BYTE peakUnit = 1;  // not 0, which would ask for newtons without a unit
  doc.GetPeakLoad(index, peakUnit, value, unit);
  Field(out, value);
  Field(out, unit);
  doc.GetLoadRateText(index, value, unit);
  Field(out, value);
  doc.GetEffectiveLoadRateText(index, value, unit);
  Field(out, value);
  Field(out, unit);
  doc.GetPeakLoadTimeText(index, value, unit);
  Field(out, value);
  doc.GetTearOffTimeText(index, value, unit);
  Field(out, value);

  for (int mode = 1; mode <= 3; ++mode) {
    int percent = 0;
    BYTE code = 0;
    doc.GetFailureMode(index, mode, value, percent, code);
    out.Text(value).Tab().Integer(percent).Tab().End();
  }
  Field(out, EscapeMarkup(doc.GetComment(index), true));

  // The instrument's texts may hold TABs and line breaks too; escaped, they keep their columns.
  SMeasDeviceInfo device;
  doc.GetDeviceInfo(index, device);
  for (const CString* field : {&device.strSerialNumber, &device.strHwSerialNumber, &device.strHwRevision,
                               &device.strAppVersion, &device.strCalDate})
    Field(out, EscapeMarkup(*field, true));

  if (withCurve) {
    const SExportCurve curve = GetExportCurve(doc, index);
    out.Text(u"--->").Tab().Fixed(curve.period, 3).Tab().End();
    for (int n = 0; n < curve.count; ++n) out.Fixed(curve.values[n], curve.decimals).Tab().End();
  }
  out.LineEnd().End();
}

}  // namespace

int CTabGrid::FormatListRow(int index, bool withCurve, WCHAR* buffer, int bufferLength) {
  CTextPieces out(buffer, bufferLength);
  if (index == -1)
    WriteHeader(out, withCurve);
  else if (index >= 0 && index < m_pDoc->GetCount())
    WriteLine(*m_pDoc, index, withCurve, out);
  return out.GetLength();
}
