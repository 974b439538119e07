#include "bench/GridBenchPage.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "grid/GradientCell.h"
#include "grid/TextCell.h"
#include "platform/ui/UiApplication.h"

void FillGridPage(CCellGrid& grid, int tests) {
  grid.SetRedraw(FALSE);
  grid.SetColumnCount(kGridPageColumns);
  grid.SetRowCount(1 + 2 * tests);
  grid.SetFixedRowCount(1);
  grid.SetWholeRowScrolling(FALSE);
  for (int r = 0; r < grid.GetRowCount(); ++r) {
    const bool detail = r > 0 && r % 2 == 0;
    for (int c = 0; c < kGridPageColumns; ++c)
      grid.SetCellType(r, c, detail && c == 0 ? RUNTIME_CLASS(CGradientCell) : RUNTIME_CLASS(CTextCell));
  }
  grid.SetRowHeight(0, 26);
  for (int t = 0; t < tests; ++t) {
    const int header = 1 + 2 * t;
    grid.SetRowHeight(header, 22);
    grid.SetRowHeight(header + 1, t % 50 == 49 ? 250 : 0);
    grid.SetCellColumnRange(header + 1, 1, 8);
    for (int c = 0; c < kGridPageColumns; ++c) {
      CString text;
      text.Format(u"%d.%d", t, c);
      grid.SetCellText(header, c, text);
    }
  }
  for (int c = 0; c < kGridPageColumns; ++c) grid.SetColumnWidth(c, c == 0 ? 40 : 150);
  grid.SetRedraw(TRUE, TRUE);
}

std::unique_ptr<SGridPage> MakeGridPage(int tests) {
  auto page = std::make_unique<SGridPage>();
  page->host.CreateEx(0, nullptr, u"grid bench", WS_POPUP | WS_VISIBLE,
                      CRect(0, 0, kGridPageWidth, kGridPageHeight), nullptr, 0);
  page->grid.Create(CRect(0, 0, kGridPageWidth, kGridPageHeight), &page->host, 100, WS_CHILD | WS_VISIBLE);
  FillGridPage(page->grid, tests);
  page->grid.UpdateWindow();
  return page;
}

int RunGridBenchmarks(int argc, char** argv, void (*release)()) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  CUiApplication application;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  release();
  return 0;
}
