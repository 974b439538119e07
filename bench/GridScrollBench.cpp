// Scrolling the extended grid shaped like the measurement page: a 1280 x 800 window scrolled
// by pixels, 9 columns under a heading row of 26 pixels, 10,000 header rows of 22 pixels and
// 10,000 detail rows of 0 pixels, every 50th detail row open at 250 pixels with one cell over
// columns 1 to 8. Each step (a line, a thumb move, one wheel notch) is measured with its full
// double-buffered repaint at the top, in the middle and at the end; the repaint at the end is
// set beside the same repaint of a grid that holds only the rows on screen. Building the grid
// with one cell type set per cell is measured too.

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/GridBenchPage.h"
#include "platform/ui/SimulatedInput.h"

namespace {

enum class Place { Top, Middle, End };

// The pages live until main ends them, before the application goes.
std::unique_ptr<SGridPage> g_page;
std::unique_ptr<SGridPage> g_screenOnlyPage;

SGridPage& Page() {
  if (!g_page) g_page = MakeGridPage(kGridPageTests);
  return *g_page;
}

void Repaint(CCellGrid& grid) {
  grid.Invalidate();
  grid.UpdateWindow();
}

void MoveTo(CCellGrid& grid, Place place) {
  const int max = grid.GetScrollMaximum(SB_VERT);
  const int pos = place == Place::Top ? 0 : place == Place::Middle ? max / 2 : max - 1000;
  grid.SendMessage(WM_VSCROLL, SB_TOP);
  SimulateScrollBar(&grid, SB_VERT, SB_THUMBTRACK, pos);
  SimulateScrollBar(&grid, SB_VERT, SB_THUMBPOSITION, pos);
  PumpMessages();
  Repaint(grid);
}

void BM_LineStep(benchmark::State& state) {
  CCellGrid& grid = Page().grid;
  MoveTo(grid, Place(state.range(0)));
  bool down = true;
  for (auto _ : state) {
    grid.SendMessage(WM_VSCROLL, down ? SB_LINEDOWN : SB_LINEUP);
    grid.UpdateWindow();
    down = !down;
  }
}

void BM_ThumbTrack(benchmark::State& state) {
  CCellGrid& grid = Page().grid;
  MoveTo(grid, Place(state.range(0)));
  const int pos = grid.ReadScrollPosition(SB_VERT);
  int step = 0;
  for (auto _ : state) {
    SimulateScrollBar(&grid, SB_VERT, SB_THUMBTRACK, pos + (step++ % 2) * 7);
    grid.UpdateWindow();
  }
  SimulateScrollBar(&grid, SB_VERT, SB_THUMBPOSITION, pos);
}

void BM_WheelNotch(benchmark::State& state) {
  CCellGrid& grid = Page().grid;
  MoveTo(grid, Place(state.range(0)));
  bool down = true;
  for (auto _ : state) {
    SimulateWheel(&grid, down ? -120 : 120, CPoint(400, 400), 0);
    PumpMessages();
    grid.UpdateWindow();
    down = !down;
  }
}

void BM_RepaintAtEnd(benchmark::State& state) {
  CCellGrid& grid = Page().grid;
  MoveTo(grid, Place::End);
  for (auto _ : state) Repaint(grid);
}

// The same repaint of a grid that holds only the tests on screen.
void BM_RepaintScreenOnly(benchmark::State& state) {
  if (!g_screenOnlyPage) g_screenOnlyPage = MakeGridPage(50);
  MoveTo(g_screenOnlyPage->grid, Place::Top);
  for (auto _ : state) Repaint(g_screenOnlyPage->grid);
}

void BM_Build(benchmark::State& state) {
  for (auto _ : state) {
    CCellGrid grid;
    FillGridPage(grid, kGridPageTests);
    benchmark::DoNotOptimize(grid.GetTotalHeight());
  }
}

BENCHMARK(BM_LineStep)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThumbTrack)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WheelNotch)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintAtEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintScreenOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Build)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  return RunGridBenchmarks(argc, argv, [] {
    g_page.reset();
    g_screenOnlyPage.reset();
  });
}
