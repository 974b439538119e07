// The summary page with many tests: a repaint of 1,000 entries once the list's column height
// is remembered (goal: within one frame of 60 Hz, 16.7 ms), the first paint of 10,000 entries,
// whose column search lays the list out again and again (goal: at most 30 frames, 0.5 s), and
// the text form of 10,000 entries against formatting the same rows once with snprintf (goal:
// at most 3 times as long).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/MeasRecords.h"
#include "bench/RatioReporter.h"
#include "document/ZedoDoc.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "views/SummaryView.h"
#include "views/TabSummary.h"

namespace {

constexpr int kFrameWidth = 1280;
constexpr int kFrameHeight = 800;

// The page on its own window with a project of `count` tests, painted once.
struct SPage {
  explicit SPage(int count) : page(&host, &doc) {
    host.CreateEx(0, nullptr, u"ZD-Zedo", WS_POPUP, CRect(0, 0, kFrameWidth, kFrameHeight), nullptr, 0);
    page.Create(IDD_TAB_SUMMARY, &host);
    page.MoveWindow(0, 0, kFrameWidth, kFrameHeight);
    page.ShowWindow(SW_SHOW);
    host.ShowWindow(SW_SHOW);
    const std::vector<BYTE> records = Records(count);
    doc.AddDownloadedData(records.data(), records.size(), nullptr);
    doc.RecomputeSummary();
    View().Invalidate();
    View().UpdateWindow();
  }
  ~SPage() {
    page.DestroyWindow();
    host.DestroyWindow();
  }
  CSummaryView& View() { return *page.GetView(); }

  CZedoDoc doc;
  CWnd host;
  CTabSummary page;
};

void BM_RepaintOf1000(benchmark::State& state) {
  SPage page(1000);
  for (auto _ : state) {
    page.View().Invalidate();
    page.View().UpdateWindow();
  }
}
BENCHMARK(BM_RepaintOf1000)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_FirstPaintOf10000(benchmark::State& state) {
  SPage page(10000);
  int width = kFrameWidth;
  for (auto _ : state) {
    // A new width forgets the remembered column height, as the first paint finds it.
    width = width == kFrameWidth ? kFrameWidth - 1 : kFrameWidth;
    state.PauseTiming();
    page.page.MoveWindow(0, 0, width, kFrameHeight);
    state.ResumeTiming();
    page.View().Invalidate();
    page.View().UpdateWindow();
  }
}
BENCHMARK(BM_FirstPaintOf10000)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_TextFormOf10000(benchmark::State& state) {
  SPage page(10000);
  for (auto _ : state) benchmark::DoNotOptimize(page.View().GetSummaryText());
}
BENCHMARK(BM_TextFormOf10000)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The table's rows formatted once with snprintf from the same summary entries and texts.
void BM_SnprintfRowsOf10000(benchmark::State& state) {
  SPage page(10000);
  const CSummaryData& summary = page.doc.GetSummary();
  for (auto _ : state) {
    std::string text;
    char line[512];
    for (int i = 0; i < summary.GetCount(); ++i) {
      const SUM_MEAS_T* entry = summary.GetEntry(i);
      const int length =
          std::snprintf(line, sizeof line,
                        "%d\t%d\t%u\t%d-%02d-%02d\t%02d:%02d:%02d\t%d\t%.1f\t%s\t%d\t%d\t%.1f\t%.1f\t%s\t%"
                        "d\t%s\t%d\t%s\t%d\t%s\t%s\t%s\t%s\t%s\t%s\t\r\n",
                        i + 1, entry->slotId, entry->id, 2021, 1, 1, 0, 0, 0, entry->area, 50.0,
                        entry->valueText.ToUtf8().c_str(), entry->loadRate, 0, 0.5, entry->tearOffTime * 0.1,
                        "A", 0, "A", 0, "A", 0, "", "", "", "", "", "");
      text.append(line, std::size_t(length));
    }
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_SnprintfRowsOf10000)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
  CUiApplication application;
  RegisterProgramResources(nullptr);
  return RunWithRatioReporter(argc, argv, [](RatioReporter& reporter) {
    const double frame = 1000.0 / 60.0;
    if (reporter.times.count("BM_RepaintOf1000"))
      std::printf("repaint of 1,000 / frame: %.2f (goal <= 1.0)\n",
                  reporter.times["BM_RepaintOf1000"] / frame);
    if (reporter.times.count("BM_FirstPaintOf10000"))
      std::printf("first paint of 10,000 / frame: %.1f (goal <= 30)\n",
                  reporter.times["BM_FirstPaintOf10000"] / frame);
    const double text = reporter.times["BM_TextFormOf10000"];
    const double rows = reporter.times["BM_SnprintfRowsOf10000"];
    if (text > 0 && rows > 0) std::printf("text form / snprintf rows: %.2f (goal <= 3.0)\n", text / rows);
  });
}
