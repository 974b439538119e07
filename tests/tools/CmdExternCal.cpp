// zdtool extern-cal [--program-folder DIR] --ref-serial T --info-block FILE --report FILE
//   [the report-header options] writes the external calibration report file as the main frame
// does for the calibration dialog, into DIR's temporary log folder, and prints its path.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/ExternCalReport.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/UiApplication.h"
#include "tests/tools/BoxLines.h"
#include "tests/tools/ReportOptions.h"
#include "tests/tools/ZdTool.h"

namespace {

constexpr const char* kExternCalUsage =
    "[--program-folder DIR] --ref-serial T --info-block FILE --report FILE [the report-header options]";

bool ReadUtf8File(const std::string& path, CString& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text = CString::FromUtf8(std::string(std::istreambuf_iterator<char>(in), {}));
  return true;
}

int RunExternCal(const std::vector<std::string>& args) {
  SReportOptions options;
  std::string folder = ".";
  std::string infoFile;
  std::string reportFile;
  bool referenceGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    bool bad = false;
    if (TakeReportOption(args, i, options, bad) && !bad) continue;
    if (!bad && i + 1 < args.size()) {
      if (args[i] == "--program-folder") {
        folder = args[++i];
        continue;
      }
      if (args[i] == "--ref-serial") {
        options.texts.referenceSerial = CString::FromUtf8(args[++i]);
        referenceGiven = true;
        continue;
      }
      if (args[i] == "--info-block") {
        infoFile = args[++i];
        continue;
      }
      if (args[i] == "--report") {
        reportFile = args[++i];
        continue;
      }
    }
    std::fprintf(stderr, "usage: zdtool extern-cal %s\n", kExternCalUsage);
    return 2;
  }
  if (!referenceGiven || infoFile.empty() || reportFile.empty()) {
    std::fprintf(stderr, "usage: zdtool extern-cal %s\n", kExternCalUsage);
    return 2;
  }
  if (!ReadUtf8File(infoFile, options.texts.instrumentInfo) ||
      !ReadUtf8File(reportFile, options.texts.testReport)) {
    std::printf("The information block or the report could not be read.\n");
    return 1;
  }
  if (!ApplyReportOptions(options)) return 2;
  CUiApplication application;
  CScriptedAnswers answers;
  const std::string tempLog = folder + "/TempLog/";
  std::error_code error;
  std::filesystem::create_directories(tempLog, error);
  const CString text = CExternCalReport::BuildText(options.texts);
  const CString path = CExternCalReport::Write(text, options.texts, CString::FromUtf8(tempLog));
  PrintMessageBoxes(answers.GetMessageBoxes());
  if (path.IsEmpty()) return 1;
  std::printf("file=%s\n", path.ToUtf8().c_str());
  return 0;
}

const ZdCommandRegistrar kExternCalRegistrar({"extern-cal", kExternCalUsage, &RunExternCal});

}  // namespace
