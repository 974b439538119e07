// The measurement page with many tests: the full fill of 10,000 tests against the document's
// open of the same project file (goal: at most 10 times as long), one page-down frame at
// 1280 x 800 with every row open against the 60 Hz budget (goal: at most one frame, 16.7 ms),
// and Expand all of 1,000 tests beside them.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "bench/MeasRecords.h"
#include "bench/RatioReporter.h"
#include "bench/TabGridHost.h"
#include "document/ZedoDoc.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"

namespace {

// A saved project of `count` tests in the temporary folder.
std::string ProjectFile(int count) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("zd-grid-page-bench-" + std::to_string(count) + ".jvd"))
          .string();
  CZedoDoc doc;
  const std::vector<BYTE> records = Records(count);
  doc.AddDownloadedData(records.data(), records.size(), nullptr);
  doc.SaveToPath(CString::FromUtf8(path));
  return path;
}

using SPage = STabGridHost;

void BM_OpenOf10000(benchmark::State& state) {
  const std::string path = ProjectFile(10000);
  for (auto _ : state) {
    CZedoDoc doc;
    if (!doc.OnFileOpen(CString::FromUtf8(path))) state.SkipWithError("open");
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_OpenOf10000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_FullFillOf10000(benchmark::State& state) {
  SPage page(10000);
  for (auto _ : state) page.page.FillGrid(-1);
}
BENCHMARK(BM_FullFillOf10000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Every row open; each iteration scrolls one page down and paints it.
void BM_PageDownAllOpen(benchmark::State& state) {
  SPage page(10000);
  page.page.ExpandRows(true);
  page.Grid().UpdateWindow();
  for (auto _ : state) {
    page.Grid().SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    page.Grid().UpdateWindow();
  }
}
BENCHMARK(BM_PageDownAllOpen)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_ExpandAllOf1000(benchmark::State& state) {
  SPage page(1000);
  for (auto _ : state) {
    page.page.ExpandRows(true);
    state.PauseTiming();
    page.page.ExpandRows(false);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ExpandAllOf1000)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
  CUiApplication application;
  RegisterProgramResources(nullptr);
  return RunWithRatioReporter(argc, argv, [](RatioReporter& reporter) {
    const double open = reporter.times["BM_OpenOf10000"];
    const double fill = reporter.times["BM_FullFillOf10000"];
    if (open > 0 && fill > 0) std::printf("full fill / open of 10,000: %.2f (goal <= 10)\n", fill / open);
    if (reporter.times.count("BM_PageDownAllOpen"))
      std::printf("page-down frame, every row open / 60 Hz frame: %.2f (goal <= 1.0)\n",
                  reporter.times["BM_PageDownAllOpen"] / (1000.0 / 60.0));
    if (reporter.times.count("BM_ExpandAllOf1000"))
      std::printf("expand all of 1,000: %.1f ms\n", reporter.times["BM_ExpandAllOf1000"]);
  });
}
