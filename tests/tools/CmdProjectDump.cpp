// zdtool project-dump FILE.jvd: every measurement of a project with the values the grid shows,
// then the summary, one key=value a line.

#include <cstdio>

#include "appbase/EscapeMarkup.h"
#include "document/ZedoDoc.h"
#include "tests/tools/CmdProjectSupport.h"
#include "tests/tools/ZdTool.h"

namespace {

void Line(const char* key, const CString& value) { std::printf("%s=%s\n", key, value.ToUtf8().c_str()); }

CString Pair(const CString& value, const CString& unit) {
  return unit.IsEmpty() ? value : value + u" " + unit;
}

template <class Getter>
void TextPair(const char* key, Getter getter) {
  CString value, unit;
  getter(value, unit);
  Line(key, Pair(value, unit));
}

void DumpMeasurement(CZedoDoc& doc, int i) {
  std::printf("[%d]\n", i);
  CString text;
  std::printf("id=%u\nslot=%u\n", doc.GetId(i), unsigned(doc.GetSlotId(i)));
  doc.GetDateTimeText(i, text);
  Line("date_time", text);
  CString value, unit;
  BYTE inNewtons = 0, converted = 1;
  std::printf("peak_load_n=%.0f\n", doc.GetPeakLoad(i, inNewtons, value, unit));
  doc.GetPeakLoad(i, converted, value, unit);
  Line("peak_load", Pair(value, unit));
  TextPair("area", [&](CString& v, CString& u) { doc.GetAreaText(i, v, u); });
  TextPair("diameter", [&](CString& v, CString& u) { doc.GetDiameterText(i, v, u); });
  TextPair("load_rate", [&](CString& v, CString& u) { doc.GetLoadRateText(i, v, u); });
  TextPair("load_limit", [&](CString& v, CString& u) { doc.GetLoadText(i, v, u); });
  std::printf("model_load_limit=%.0f\n", doc.GetLoadLimit(i, false));
  for (int mode = 1; mode <= 3; ++mode) {
    int percent = 0;
    BYTE code = 0;
    doc.GetFailureMode(i, mode, text, percent, code);
    std::printf("failure_mode_%d=%s %d%%\n", mode, text.ToUtf8().c_str(), percent);
  }
  TextPair("peak_time", [&](CString& v, CString& u) { doc.GetPeakLoadTimeText(i, v, u); });
  TextPair("tear_off_time", [&](CString& v, CString& u) { doc.GetTearOffTimeText(i, v, u); });
  SMeasDeviceInfo device;
  doc.GetDeviceInfo(i, device);
  Line("device_name", device.strDeviceName);
  Line("serial_number", device.strSerialNumber);
  Line("hw_serial", device.strHwSerialNumber);
  Line("hw_revision", device.strHwRevision);
  Line("app_version", device.strAppVersion);
  Line("model", device.strModel);
  Line("cal_date", device.strCalDate);
  Line("comment", EscapeMarkup(doc.GetComment(i), true));
  std::printf("selected=%d\nexpanded=%d\n", doc.IsSelected(i) ? 1 : 0, doc.IsExpanded(i) ? 1 : 0);
}

void DumpSummary(CZedoDoc& doc) {
  doc.RecomputeSummary();
  const CSummaryData& summary = doc.GetSummary();
  const CString unit = summary.GetUnitName();
  std::printf("summary_count=%d\n", summary.GetCount());
  CString text;
  summary.GetMean(text);
  Line("summary_mean", Pair(text, unit));
  summary.GetStdDeviation(text);
  Line("summary_sd", Pair(text, unit));
  summary.GetMinimum(text);
  Line("summary_min", Pair(text, unit));
  summary.GetMaximum(text);
  Line("summary_max", Pair(text, unit));
  summary.GetRange(text);
  Line("summary_range", Pair(text, unit));
  Line("summary_comment", EscapeMarkup(summary.GetCommentRef(), true));
}

int RunProjectDump(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: zdtool project-dump FILE.jvd\n");
    return 2;
  }
  CProjectSession session;
  CZedoDoc doc;
  if (!doc.OnFileOpen(CString::FromUtf8(args[0]))) return 1;
  std::printf("measurements=%d\n", doc.GetCount());
  for (int i = 0; i < doc.GetCount(); ++i) DumpMeasurement(doc, i);
  DumpSummary(doc);
  return 0;
}

const ZdCommandRegistrar kProjectDumpRegistrar({"project-dump", "FILE.jvd", RunProjectDump});

}  // namespace
