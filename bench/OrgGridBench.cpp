// The second grid's two speed goals, each printed as a ratio after the run:
// - AutoSize (0) of the step grid at its largest, 101 rows x 103 columns filled as the step
//   grid dialog fills it (bold Arial -12, normal cells on 0xBDE4D7, 3 fixed columns, read-only
//   run cells), against measuring the same texts with CDC::GetTextExtent on one context with
//   the font selected once. Goal: at most 1.5 (one measurement per cell).
// - SetSelectedRange of a 10 x 10 block over another 10 x 10 block on a virtual grid of
//   1,000,000 rows against one of 100 rows. Goal: at most 1.2.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/RatioReporter.h"
#include "grid/org/CellGridOrg.h"
#include "grid/org/TextCellOrg.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/UiApplication.h"

namespace {

constexpr int kSteps = 100;
constexpr int kRuns = 100;

LOGFONT StepGridFont() {
  LOGFONT font{};
  font.lfHeight = -12;
  font.lfWeight = 700;
  const char16_t face[] = u"Arial";
  std::copy(std::begin(face), std::end(face), font.lfFaceName);
  return font;
}

CString StepText(int row, int col) {
  CString text;
  if (row == 0) {
    static const char16_t* const kHeadings[] = {u"No.", u"Step (%)", u"Nominal Load"};
    if (col < 3)
      text = kHeadings[col];
    else
      text.Format(u"Run # %d", col - 2);
  } else if (col == 0) {
    text.Format(u"%d", row);
  } else if (col == 1) {
    text.Format(u"%d", (row * 100 + kSteps / 2) / kSteps);
  } else {
    text.Format(u"%d.%d", row * 25 + col, (row + col) % 10);
  }
  return text;
}

// A second grid in its own window, as the step grid dialog holds it.
struct SGridWindow {
  CWnd host;
  CWnd control;
  CCellGridOrg grid;
  CFont font;

  SGridWindow() {
    host.CreateEx(0, nullptr, u"org grid bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 900, 700), nullptr, 0);
    control.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 880, 680), &host, 520);
    grid.SubclassDlgItem(520, &host);
  }
  ~SGridWindow() {
    grid.DestroyWindow();
    host.DestroyWindow();
  }
};

void FillStepGrid(SGridWindow& window) {
  const LOGFONT logFont = StepGridFont();
  window.font.CreateFontIndirect(&logFont);
  CCellGridOrg& grid = window.grid;
  grid.SendMessage(WM_SETFONT, WPARAM(&window.font), TRUE);
  grid.GetDefaultCell(FALSE, FALSE)->SetBackColor(0xBDE4D7);
  grid.SetVirtualMode(FALSE);
  grid.SetRowCount(1 + kSteps);
  grid.SetColumnCount(3 + kRuns);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(3);
  for (int r = 0; r <= kSteps; ++r) {
    for (int c = 0; c < 3 + kRuns; ++c) {
      if (c >= 3) {
        grid.SetCellType(r, c, RUNTIME_CLASS(CTextCellOrg));
        grid.SetCellState(r, c, grid.GetCellState(r, c) | GCS_READONLY);
      }
      GRIDITEMINFO item;
      item.row = r;
      item.col = c;
      item.mask = GIF_TEXT;
      item.text = StepText(r, c);
      grid.ApplyCellInfo(&item);
    }
  }
}

SGridWindow& StepGrid() {
  static SGridWindow* window = [] {
    auto* made = new SGridWindow;
    FillStepGrid(*made);
    return made;
  }();
  return *window;
}

void BM_AutoSizeStepGrid(benchmark::State& state) {
  CCellGridOrg& grid = StepGrid().grid;
  for (auto _ : state) grid.AutoSize(0);
}
BENCHMARK(BM_AutoSizeStepGrid)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_MeasureStepTextsDirectly(benchmark::State& state) {
  SGridWindow& window = StepGrid();
  std::vector<CString> texts;
  for (int r = 0; r <= kSteps; ++r)
    for (int c = 0; c < 3 + kRuns; ++c) texts.push_back(StepText(r, c));
  CClientDC dc(&window.grid);
  CFont* old = dc.SelectObject(&window.font);
  for (auto _ : state) {
    long total = 0;
    for (const CString& text : texts) total += dc.GetTextExtent(text).cx;
    benchmark::DoNotOptimize(total);
  }
  dc.SelectObject(old);
}
BENCHMARK(BM_MeasureStepTextsDirectly)->Unit(benchmark::kMillisecond)->MinTime(1.0);

BOOL AnswerEmpty(GRIDDISPINFO*, LPARAM) { return TRUE; }

// Selecting a block over another on a virtual grid of the given rows.
void SelectBlocks(benchmark::State& state, int rows) {
  SGridWindow window;
  CCellGridOrg& grid = window.grid;
  grid.SetDisplayInfoCallback(&AnswerEmpty, 0);
  grid.SetVirtualMode(TRUE);
  grid.SetRowCount(rows);
  grid.SetColumnCount(20);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(1);
  for (auto _ : state) {
    grid.SetSelectedRange(40, 2, 49, 11, FALSE, TRUE);
    grid.SetSelectedRange(45, 5, 54, 14, FALSE, TRUE);
  }
}

void BM_SelectOnMillionRows(benchmark::State& state) { SelectBlocks(state, 1000000); }
BENCHMARK(BM_SelectOnMillionRows)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

void BM_SelectOnHundredRows(benchmark::State& state) { SelectBlocks(state, 100); }
BENCHMARK(BM_SelectOnHundredRows)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  CUiApplication application;
  return RunWithRatioReporter(argc, argv, [](RatioReporter& reporter) {
    std::printf("ratio AutoSize / direct measuring: %.2f (goal <= 1.50)\n",
                reporter.Ratio("BM_AutoSizeStepGrid", "BM_MeasureStepTextsDirectly"));
    std::printf("ratio selecting on 1,000,000 rows / on 100 rows: %.2f (goal <= 1.20)\n",
                reporter.Ratio("BM_SelectOnMillionRows", "BM_SelectOnHundredRows"));
  });
}
