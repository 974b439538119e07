#include "tests/tools/ReportOptions.h"

#include <cstdio>

#include "platform/base/LocalTime.h"
#include "update/AppHelper.h"

bool TakeReportOption(const std::vector<std::string>& args, size_t& i, SReportOptions& options, bool& bad) {
  const std::string& name = args[i];
  std::string* text = nullptr;
  CString* value = nullptr;
  if (name == "--now") text = &options.now;
  if (name == "--tester") text = &options.tester;
  if (name == "--temperature") text = &options.temperature;
  if (name == "--device-name") value = &options.texts.deviceName;
  if (name == "--serial") value = &options.texts.serialNumber;
  if (name == "--software-version") value = &options.texts.softwareVersion;
  if (name == "--hw-revision") value = &options.texts.hwRevision;
  if (name == "--signature") value = &options.texts.signature;
  if (!text && !value) return false;
  if (i + 1 >= args.size()) {
    bad = true;
    return true;
  }
  ++i;
  if (text) *text = args[i];
  if (value) *value = CString::FromUtf8(args[i]);
  return true;
}

bool ApplyReportOptions(const SReportOptions& options) {
  if (!options.now.empty()) {
    SLocalTime now;
    if (std::sscanf(options.now.c_str(), "%d-%d-%d %d:%d:%d", &now.year, &now.month, &now.day, &now.hour,
                    &now.minute, &now.second) != 6) {
      std::fprintf(stderr, "--now wants \"YYYY-MM-DD HH:MM:SS\"\n");
      return false;
    }
    PinCurrentTimeStamp(LocalTimeToStamp(now));
  }
  CAppHelper::SetTesterAndTemperature(CString::FromUtf8(options.tester),
                                      CString::FromUtf8(options.temperature));
  return true;
}
