// Counting the printed pages of the extended grid shaped like the measurement page: 9 columns
// under a heading row of 26 pixels, 10,000 tests of a header row of 22 pixels and a detail row
// of 0 pixels (every 50th open at 250 pixels), printed in groups of two rows on a memory
// printer of 850 x 1100 pixels at 100 dpi. The goal is 50 ms for the whole beginning of
// printing; the page breaks alone are measured beside it, and the beginning once more with the
// header rows holding texts like the page's (each test its own ID and date), which the printout
// measures on the printer to fit the columns.

#include <benchmark/benchmark.h>

#include <string>

#include "grid/CellGrid.h"
#include "grid/GridPageBreaks.h"
#include "platform/gdi/PrintTarget.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/UiApplication.h"

namespace {

constexpr int kColumns = 9;
constexpr int kTests = 10000;

struct SPage {
  SPage() {
    host.CreateEx(0, nullptr, u"print bench", WS_POPUP, CRect(0, 0, 1280, 800), nullptr, 0);
    grid.Create(CRect(0, 0, 1280, 800), &host, 100, WS_CHILD | WS_VISIBLE);
    grid.SetRedraw(FALSE);
    grid.SetColumnCount(kColumns);
    grid.SetRowCount(1 + 2 * kTests);
    grid.SetFixedRowCount(1);
    grid.SetRowHeight(0, 26);
    for (int t = 0; t < kTests; ++t) {
      grid.SetRowHeight(1 + 2 * t, 22);
      grid.SetRowHeight(2 + 2 * t, t % 50 == 49 ? 250 : 0);
    }
    for (int c = 0; c < kColumns; ++c) grid.SetColumnWidth(c, c == 0 ? 40 : 150);
    grid.SetRedraw(TRUE, TRUE);
  }
  // Texts like the measurement page's in each test's header row.
  void FillTexts() {
    grid.SetRedraw(FALSE);
    for (int t = 0; t < kTests; ++t) {
      const int row = 1 + 2 * t;
      CString id, date, value;
      id.Format(u"%d", 100000 + 37 * t);
      date.Format(u"%02d.01.2024 %02d:%02d", 1 + t % 28, t / 60 % 24, t % 60);
      value.Format(u"%d.%02d kN", t % 20, t % 100);
      const CString texts[kColumns] = {u"", CString(std::to_string(t + 1).c_str()), id, date, value,
                                       u"1963 mm2", u"50.0 mm", u"150 N/s", u"kN"};
      for (int c = 0; c < kColumns; ++c) grid.SetCellText(row, c, texts[c]);
    }
    grid.SetRedraw(TRUE, TRUE);
  }
  ~SPage() {
    grid.DestroyWindow();
    host.DestroyWindow();
  }
  CUiApplication application;
  CWnd host;
  CCellGrid grid;
};

void BeginPrinting(benchmark::State& state, SPage& page) {
  CDC printer;
  printer.Attach(CreateMemoryPrinterDC(850, 1100, 100));
  for (auto _ : state) {
    CPrintInfo info;
    page.grid.OnBeginPrinting(&printer, &info, FALSE, 2);
    page.grid.OnEndPrinting(&printer, &info);
    benchmark::DoNotOptimize(info.GetMaxPage());
  }
  state.counters["pages"] = double(page.grid.GetPrintMetrics().verticalPages);
  DeleteDC(printer.Detach());
}

void BM_BeginPrinting(benchmark::State& state) {
  SPage page;
  BeginPrinting(state, page);
}
BENCHMARK(BM_BeginPrinting)->Unit(benchmark::kMillisecond);

void BM_BeginPrintingWithTexts(benchmark::State& state) {
  SPage page;
  page.FillTexts();
  BeginPrinting(state, page);
}
BENCHMARK(BM_BeginPrintingWithTexts)->Unit(benchmark::kMillisecond);

void BM_PageBreaksOnly(benchmark::State& state) {
  SPage page;
  const CCellGrid& grid = page.grid;
  for (auto _ : state) {
    auto starts = BreakIntoPages(1, grid.GetRowCount(), 2, 900, [&grid](int row) { return grid.GetRowHeight(row); });
    benchmark::DoNotOptimize(starts.data());
  }
}
BENCHMARK(BM_PageBreaksOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
