// zdtool report-header OUTFILE TITLE PREFIX SUFFIX [--now "YYYY-MM-DD HH:MM:SS"]
//   [--device-name T] [--serial T] [--software-version T] [--hw-revision T] [--signature T]
//   [--tester T] [--temperature T]
// writes the text-report header as UTF-8 and prints its length in UTF-16 units.

#include <cstdio>
#include <fstream>
#include <string>

#include "tests/tools/ReportOptions.h"
#include "tests/tools/ZdTool.h"
#include "update/AppHelper.h"

namespace {

constexpr const char* kReportHeaderUsage =
    "OUTFILE TITLE PREFIX SUFFIX [--now TIME] [--device-name T] [--serial T] [--software-version T] "
    "[--hw-revision T] [--signature T] [--tester T] [--temperature T]";

int RunReportHeader(const std::vector<std::string>& args) {
  std::vector<std::string> positional;
  SReportOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    bool bad = false;
    if (!TakeReportOption(args, i, options, bad)) {
      positional.push_back(args[i]);
    } else if (bad) {
      positional.clear();
      break;
    }
  }
  if (positional.size() != 4) {
    std::fprintf(stderr, "usage: zdtool report-header %s\n", kReportHeaderUsage);
    return 2;
  }
  if (!ApplyReportOptions(options)) return 2;
  const SExternCalTexts& t = options.texts;
  CAppHelper::SetReportInfo(t.deviceName, t.serialNumber, t.softwareVersion, t.hwRevision, t.signature);
  CString header;
  CAppHelper().WriteReportHeader(header, CString::FromUtf8(positional[1]), CString::FromUtf8(positional[2]),
                                 CString::FromUtf8(positional[3]));
  std::ofstream out(positional[0], std::ios::binary);
  out << header.ToUtf8();
  if (!out) {
    std::printf("%s could not be written.\n", positional[0].c_str());
    return 1;
  }
  std::printf("length=%d\n", header.GetLength());
  return 0;
}

const ZdCommandRegistrar kReportHeaderRegistrar({"report-header", kReportHeaderUsage, &RunReportHeader});

}  // namespace
