#pragma once
// The extended grid shaped like the measurement page, shared by the grid benchmarks: a
// 1280 x 800 window scrolled by pixels, 9 columns under a heading row of 26 pixels, header rows
// of 22 pixels and detail rows of 0 pixels, every 50th detail row open at 250 pixels with one
// cell over columns 1 to 8.

#include <memory>

#include "grid/CellGrid.h"

constexpr int kGridPageWidth = 1280;
constexpr int kGridPageHeight = 800;
constexpr int kGridPageColumns = 9;
constexpr int kGridPageTests = 10000;

struct SGridPage {
  CWnd host;
  CCellGrid grid;
};

// Builds the page's grid with the given number of tests, cells typed one by one.
void FillGridPage(CCellGrid& grid, int tests);
// A shown page with its grid painted once.
std::unique_ptr<SGridPage> MakeGridPage(int tests);
// Runs the benchmarks offscreen under an application; `release` frees the pages before the
// application goes.
int RunGridBenchmarks(int argc, char** argv, void (*release)());
