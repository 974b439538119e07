// Keys and copying on the extended grid of the measurement page (20,001 rows, 9 columns,
// offscreen): a Down-arrow move at the end of the grid with its repaint (goal: one frame,
// 16 ms), Control+End from the top with its repaint (goal: three frames, 50 ms), and select all
// with copy of its 180,000 cells against building the same text by plain appends (goal: at
// most three times as long).

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/GridBenchPage.h"
#include "platform/ui/SimulatedInput.h"

namespace {

// The page lives until main ends it, before the application goes.
std::unique_ptr<SGridPage> g_page;

CCellGrid& Grid() {
  if (!g_page) {
    g_page = MakeGridPage(kGridPageTests);
    g_page->grid.SetFocus();
  }
  return g_page->grid;
}

void PressKey(CCellGrid& grid, UINT key, UINT modifiers = 0) {
  SimulateKey(&grid, key, true, CString(), modifiers);
  SimulateKey(&grid, key, false, CString(), modifiers);
  grid.UpdateWindow();
}

void BM_DownArrowAtTheEnd(benchmark::State& state) {
  CCellGrid& grid = Grid();
  grid.SetFocusCell(grid.GetRowCount() - 3, 1);
  PressKey(grid, VK_END, MK_CONTROL);
  PressKey(grid, VK_UP);
  bool down = true;
  for (auto _ : state) {
    PressKey(grid, down ? VK_DOWN : VK_UP);
    down = !down;
  }
}

void BM_ControlEndFromTheTop(benchmark::State& state) {
  CCellGrid& grid = Grid();
  for (auto _ : state) {
    state.PauseTiming();
    PressKey(grid, VK_HOME, MK_CONTROL);
    state.ResumeTiming();
    PressKey(grid, VK_END, MK_CONTROL);
  }
}

void BM_SelectAllAndCopy(benchmark::State& state) {
  CCellGrid& grid = Grid();
  for (auto _ : state) {
    grid.OnEditSelectAll();
    grid.OnEditCopy();
  }
  grid.ClearSelection();
}

// The same text built by appending the cells' texts, separators and line ends.
void BM_PlainAppends(benchmark::State& state) {
  CCellGrid& grid = Grid();
  std::vector<CString> texts;
  for (int r = 1; r < grid.GetRowCount(); ++r)
    if (grid.GetRowHeight(r) > 0)
      for (int c = 0; c < grid.GetColumnCount(); ++c) texts.push_back(grid.GetCellText(r, c));
  const int columns = grid.GetColumnCount();
  for (auto _ : state) {
    CString text;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      text += texts[i];
      text += (int(i) % columns == columns - 1) ? u"\r\n" : u"\t";
    }
    benchmark::DoNotOptimize(text.GetLength());
  }
}

BENCHMARK(BM_DownArrowAtTheEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ControlEndFromTheTop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectAllAndCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainAppends)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunGridBenchmarks(argc, argv, [] { g_page.reset(); });
}
