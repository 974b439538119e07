// Scrolling the extended grid shaped like the measurement page: a 1280 x 800 window scrolled
// by pixels, 9 columns under a heading row of 26 pixels, 10,000 header rows of 22 pixels and
// 10,000 detail rows of 0 pixels, every 50th detail row open at 250 pixels with one cell over
// columns 1 to 8. Each step (a line, a thumb move, one wheel notch) is measured with its full
// double-buffered repaint at the top, in the middle and at the end; the repaint at the end is
// set beside the same repaint of a grid that holds only the rows on screen. Building the grid
// with one cell type set per cell is measured too.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "grid/CellGrid.h"
#include "grid/GradientCell.h"
#include "grid/TextCell.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;
constexpr int kColumns = 9;
constexpr int kTests = 10000;

enum class Place { Top, Middle, End };

struct SPage {
  CWnd host;
  CCellGrid grid;
};

// Builds the page's grid with the given number of tests, cells typed one by one.
void Fill(CCellGrid& grid, int tests) {
  grid.SetRedraw(FALSE);
  grid.SetColumnCount(kColumns);
  grid.SetRowCount(1 + 2 * tests);
  grid.SetFixedRowCount(1);
  grid.SetWholeRowScrolling(FALSE);
  for (int r = 0; r < grid.GetRowCount(); ++r) {
    const bool detail = r > 0 && r % 2 == 0;
    for (int c = 0; c < kColumns; ++c)
      grid.SetCellType(r, c, detail && c == 0 ? RUNTIME_CLASS(CGradientCell) : RUNTIME_CLASS(CTextCell));
  }
  grid.SetRowHeight(0, 26);
  for (int t = 0; t < tests; ++t) {
    const int header = 1 + 2 * t;
    grid.SetRowHeight(header, 22);
    grid.SetRowHeight(header + 1, t % 50 == 49 ? 250 : 0);
    grid.SetCellColumnRange(header + 1, 1, 8);
    for (int c = 0; c < kColumns; ++c) {
      CString text;
      text.Format(u"%d.%d", t, c);
      grid.SetCellText(header, c, text);
    }
  }
  for (int c = 0; c < kColumns; ++c) grid.SetColumnWidth(c, c == 0 ? 40 : 150);
  grid.SetRedraw(TRUE, TRUE);
}

std::unique_ptr<SPage> MakePage(int tests) {
  auto page = std::make_unique<SPage>();
  page->host.CreateEx(0, nullptr, u"grid bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), nullptr,
                      0);
  page->grid.Create(CRect(0, 0, kWidth, kHeight), &page->host, 100, WS_CHILD | WS_VISIBLE);
  Fill(page->grid, tests);
  page->grid.UpdateWindow();
  return page;
}

// The pages live until main ends them, before the application goes.
std::unique_ptr<SPage> g_page;
std::unique_ptr<SPage> g_screenOnlyPage;

SPage& Page() {
  if (!g_page) g_page = MakePage(kTests);
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
  if (!g_screenOnlyPage) g_screenOnlyPage = MakePage(50);
  MoveTo(g_screenOnlyPage->grid, Place::Top);
  for (auto _ : state) Repaint(g_screenOnlyPage->grid);
}

void BM_Build(benchmark::State& state) {
  for (auto _ : state) {
    CCellGrid grid;
    Fill(grid, kTests);
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
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  CUiApplication application;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  g_page.reset();
  g_screenOnlyPage.reset();
  return 0;
}
