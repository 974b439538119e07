// The report of the text export: one block of labelled lines per measurement (label, TAB,
// value), in sections for the device, the measurement, the settings with the failure modes, the
// comment and, when asked, the load-rate curve.

#include "appbase/EscapeMarkup.h"
#include "appbase/LoadStringOrPlaceholder.h"
#include "device/FileVersionInfo.h"
#include "document/MeasurementId.h"
#include "document/ZedoDoc.h"
#include "resources/ResourceIds.h"
#include "views/ExportCurve.h"
#include "views/TabGrid.h"
#include "views/TextPieces.h"

namespace {

constexpr const char16_t* kIndent = u"    ";

// The document's value texts that come with a unit text.
using ValueGetter = double (CZedoDoc::*)(int, CString&, CString&) const;

// A section's heading, at the first column.
void Heading(CTextPieces& out, UINT id) { out.Text(LoadStringOrPlaceholder(id)).LineEnd().End(); }

void EmptyLine(CTextPieces& out) { out.LineEnd().End(); }

// An indented line of a section: label, TAB, value.
void Line(CTextPieces& out, UINT id, const CString& value) {
  out.Text(kIndent).Text(LoadStringOrPlaceholder(id)).Tab().Text(value).LineEnd().End();
}

void Line(CTextPieces& out, UINT id, long long value) {
  out.Text(kIndent).Text(LoadStringOrPlaceholder(id)).Tab().Integer(value).LineEnd().End();
}

// An indented line of a value and its unit, joined by a blank.
void Line(CTextPieces& out, UINT id, const CZedoDoc& doc, int index, ValueGetter getter) {
  CString value, unit;
  (doc.*getter)(index, value, unit);
  out.Text(kIndent).Text(LoadStringOrPlaceholder(id)).Tab().Text(value).Char(u' ').Text(unit).LineEnd().End();
}

void WriteVersions(CTextPieces& out) {
  CFileVersionInfo version;
  version.CreateFromModule(nullptr);
  out.Text(u"ZD-Zedo Report Format Version").Tab().Text(u"2.0").LineEnd().End();
  out.Text(u"ZD-Zedo Software Version").Tab().Text(version.GetProductVersion()).LineEnd().End();
  EmptyLine(out);
}

// The instrument's texts may hold TABs and line breaks too; escaped, each stays on its line.
void WriteDevice(CZedoDoc& doc, int index, CTextPieces& out) {
  SMeasDeviceInfo device;
  doc.GetDeviceInfo(index, device);
  Heading(out, IDS_EXPORT_DEVICE_DATA);
  Line(out, IDS_LABEL_SERIAL_NO, EscapeMarkup(device.strSerialNumber, true));
  Line(out, IDS_DETAIL_MODEL, EscapeMarkup(device.strModel, true));
  Line(out, IDS_DETAIL_HW_SERIAL_NO, EscapeMarkup(device.strHwSerialNumber, true));
  Line(out, IDS_DETAIL_HW_REVISION, EscapeMarkup(device.strHwRevision, true));
  Line(out, IDS_EXPORT_FIRMWARE_VERSION, EscapeMarkup(device.strAppVersion, true));
  CString date;
  doc.GetLastCalibrationDate(index, date);
  Line(out, IDS_LABEL_LAST_CALIBRATION, date);
  EmptyLine(out);
}

void WriteMeasurement(CZedoDoc& doc, int index, CTextPieces& out) {
  Heading(out, IDS_TAB_MEASUREMENTS);
  Line(out, IDS_LABEL_SLOT_ID, doc.GetSlotId(index));
  Line(out, IDS_LABEL_ID, FormatMeasurementId(doc.GetId(index)));
  CString value, unit;
  doc.GetDateTimeText(index, value);
  Line(out, IDS_LABEL_DATE_TIME, value);
  BYTE peakUnit = 1;  // not 0, which would ask for newtons without a unit
  doc.GetPeakLoad(index, peakUnit, value, unit);
  Line(out, IDS_LABEL_PEAK_LOAD, value + u" " + unit);
  Line(out, IDS_LABEL_PEAK_LOAD_TIME, doc, index, &CZedoDoc::GetPeakLoadTimeText);
  Line(out, IDS_LABEL_TEAR_OFF_TIME, doc, index, &CZedoDoc::GetTearOffTimeText);
  Line(out, IDS_LABEL_EFFECTIVE_LOAD_RATE, doc, index, &CZedoDoc::GetEffectiveLoadRateText);
  EmptyLine(out);
}

void WriteSettings(CZedoDoc& doc, int index, CTextPieces& out) {
  Heading(out, IDS_DETAIL_SETTINGS);
  Line(out, IDS_SUMMARY_UNIT, doc.GetUnitName(index));
  Line(out, IDS_LABEL_LOAD_RATE, doc, index, &CZedoDoc::GetLoadRateText);
  Line(out, IDS_EXPORT_LOAD_LIMIT, doc, index, &CZedoDoc::GetLoadText);
  Line(out, IDS_LABEL_DISC_AREA, doc, index, &CZedoDoc::GetAreaText);
  Line(out, IDS_DETAIL_DISC_DIAMETER, doc, index, &CZedoDoc::GetDiameterText);
  CString classText;
  const CString failureMode = LoadStringOrPlaceholder(IDS_DETAIL_FAILURE_MODE);
  for (int mode = 1; mode <= 3; ++mode) {
    int percent = 0;
    BYTE code = 0;
    doc.GetFailureMode(index, mode, classText, percent, code);
    out.Text(kIndent).Text(failureMode).Char(u' ').Integer(mode).Tab();
    out.Text(classText).Tab().Integer(percent).Char(u'%').Tab().LineEnd().End();
  }
  EmptyLine(out);
}

void WriteComment(CZedoDoc& doc, int index, CTextPieces& out) {
  Heading(out, IDS_LABEL_COMMENT);
  out.Text(kIndent).Char(u'"').Text(EscapeMarkup(doc.GetComment(index), true)).Char(u'"').LineEnd().End();
  EmptyLine(out);
}

// The sample lines start with the indent twice: once on its own, once as the first field of
// their heading.
void WriteLoadData(CZedoDoc& doc, int index, CTextPieces& out) {
  const SExportCurve curve = GetExportCurve(doc, index);
  Heading(out, IDS_EXPORT_LOAD_DATA);
  out.Text(kIndent)
      .Text(LoadStringOrPlaceholder(IDS_EXPORT_SAMPLING_PERIOD))
      .Tab()
      .Fixed(curve.period, 3)
      .Text(u" s")
      .LineEnd()
      .End();

  const CString load = LoadStringOrPlaceholder(IDS_EXPORT_LOAD);
  out.Text(kIndent).End();
  out.Text(kIndent).Text(load).Text(u" #").Tab().End();
  for (int n = 1; n <= curve.count; ++n) out.Integer(n).Tab().End();
  out.LineEnd().End();

  out.Text(kIndent).End();
  out.Text(kIndent).Text(load).Text(u" (").Text(doc.GetUnitName(index)).Text(u")").Tab().End();
  for (int n = 0; n < curve.count; ++n) out.Fixed(curve.values[n], curve.decimals).Tab().End();
  out.LineEnd().End();
  EmptyLine(out);
}

}  // namespace

int CTabGrid::FormatReportRow(int index, bool withCurve, WCHAR* buffer, int bufferLength) {
  CTextPieces out(buffer, bufferLength);
  if (index < 0 || index >= m_pDoc->GetCount()) return 0;
  WriteVersions(out);
  WriteDevice(*m_pDoc, index, out);
  WriteMeasurement(*m_pDoc, index, out);
  WriteSettings(*m_pDoc, index, out);
  WriteComment(*m_pDoc, index, out);
  if (withCurve) WriteLoadData(*m_pDoc, index, out);
  return out.GetLength();
}
