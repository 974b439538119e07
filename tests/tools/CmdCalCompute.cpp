// zdtool cal-compute TABLE [--step-force N] [--full-scale N] [--report FILE]: a calibration
// computed from step measurements. The document is reset as the main frame does before a
// calibration; each TABLE line CYCLE;INSTRUMENT;REFERENCE;CURRENT;COUNTER[;VALID] appends a step
// to cycle CYCLE (from 1) with target force min(full scale, position x step force), and the
// means table takes cycle 1's steps as the run's template. Prints the result, its error texts
// and each mean with its slope and offset; --report writes the adjustment report as UTF-8.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "calibration/VexalonDoc.h"
#include "tests/tools/DecimalArgument.h"
#include "tests/tools/EscapedText.h"
#include "tests/tools/ZdTool.h"

namespace {

constexpr const char* kCalComputeUsage = "TABLE [--step-force N] [--full-scale N] [--report FILE]";
// The default load steps of the largest model: 25000 N in twenty steps.
constexpr int kDefaultFullScale = 25000;
constexpr int kDefaultStepForce = 1250;

struct SComputeOptions {
  std::string table;
  std::string report;
  int stepForce = kDefaultStepForce;
  int fullScale = kDefaultFullScale;
};

int CalComputeUsage() {
  std::fprintf(stderr, "usage: zdtool cal-compute %s\n", kCalComputeUsage);
  return 2;
}

bool ParseOptions(const std::vector<std::string>& args, SComputeOptions& options) {
  if (args.empty()) return false;
  options.table = args[0];
  for (size_t i = 1; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return false;
    if (args[i] == "--report")
      options.report = args[i + 1];
    else if (args[i] == "--step-force"   ? !ParseDecimalNumber(args[i + 1], options.stepForce)
             : args[i] == "--full-scale" ? !ParseDecimalNumber(args[i + 1], options.fullScale)
                                         : true)
      return false;
  }
  return true;
}

// One table line as a step of its cycle; false for a line of another form.
bool AddStep(CVexalonDoc& doc, const std::string& line, const SComputeOptions& options) {
  std::vector<int> fields;
  std::stringstream stream(line);
  std::string field;
  while (std::getline(stream, field, ';')) {
    int value = 0;
    if (!ParseDecimalNumber(field, value)) return false;
    fields.push_back(value);
  }
  if (fields.size() < 5 || fields.size() > 6) return false;
  const int cycle = fields[0];
  if (cycle < 1 || cycle > CVexalonDoc::kMaxCycles) return false;
  std::vector<CStepMeas>& steps = doc.m_cycles[size_t(cycle - 1)];
  CStepMeas step;
  step.fullScale = options.fullScale;
  step.targetForce = std::min(options.fullScale, int(steps.size() + 1) * options.stepForce);
  step.instrumentForce = fields[1];
  step.referenceForce = fields[2];
  step.current = fields[3];
  step.counter = fields[4];
  step.valid = fields.size() < 6 || fields[5] != 0;
  steps.push_back(step);
  doc.m_actualRuns = std::max(doc.m_actualRuns, cycle);
  return true;
}

bool ReadTable(CVexalonDoc& doc, const SComputeOptions& options) {
  std::ifstream file(options.table);
  if (!file) return false;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (!AddStep(doc, line, options)) return false;
  }
  return true;
}

// The run's template: cycle 1's full-scale and target forces, nothing measured yet.
void BuildMeansTemplate(CVexalonDoc& doc) {
  doc.m_means.clear();
  for (const CStepMeas& step : doc.m_cycles[0]) {
    CStepMeas mean;
    mean.fullScale = step.fullScale;
    mean.targetForce = step.targetForce;
    doc.m_means.push_back(mean);
  }
}

void PrintResult(const CVexalonDoc& doc, int result) {
  std::printf("result=0x%04X\n", result);
  std::vector<CString> errors;
  CVexalonDoc::GetErrorTexts(errors, result);
  for (const CString& error : errors) std::printf("error=%s\n", EscapedText(error).c_str());
  for (size_t k = 0; k < doc.m_means.size(); ++k) {
    const CStepMeas& mean = doc.m_means[k];
    // Means beyond the document's twenty steps have no slope of their own.
    const bool computed = k < size_t(CVexalonDoc::kSteps);
    std::printf(
        "step=%zu instrument=%d reference=%d current=%d counter=%d valid=%d slope=%.5lf offset=%.1lf "
        "slope_word=%u offset_word=%d\n",
        k + 1, mean.instrumentForce, mean.referenceForce, mean.current, mean.counter, mean.valid ? 1 : 0,
        computed ? doc.m_slopes[k] : 0.0, computed ? doc.m_offsets[k] : 0.0,
        computed ? unsigned(doc.m_slopeWords[k]) : 0u, computed ? int(doc.m_offsetWords[k]) : 0);
  }
}

int RunCalCompute(const std::vector<std::string>& args) {
  SComputeOptions options;
  if (!ParseOptions(args, options)) return CalComputeUsage();
  CVexalonDoc doc;
  doc.Reset();
  doc.m_calibratorInfo.class1Requirements = EResultState::eNotRequired;
  if (!ReadTable(doc, options)) {
    std::printf(
        "The table %s could not be read as CYCLE;INSTRUMENT;REFERENCE;CURRENT;COUNTER[;VALID] lines.\n",
        options.table.c_str());
    return 1;
  }
  BuildMeansTemplate(doc);
  // The report's parameter lines count the load steps the write would have been given.
  doc.m_stepForce = options.stepForce;
  const int result = doc.ComputeCalibration(0, 0);
  PrintResult(doc, result);
  if (!options.report.empty()) {
    doc.BuildReport(true);
    std::ofstream report(options.report, std::ios::binary | std::ios::trunc);
    report << doc.m_reportText.ToUtf8();
    if (!report) {
      std::printf("The report %s could not be written.\n", options.report.c_str());
      return 1;
    }
  }
  return result == 0 ? 0 : 1;
}

const ZdCommandRegistrar kCalCompute({"cal-compute", kCalComputeUsage, &RunCalCompute});

}  // namespace
