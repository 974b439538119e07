#pragma once
// The arithmetic of whole-row (and whole-column) scrolling over running sums of sizes, shared
// by both grids: which row or column a scroll position puts first, and which one ends the view.

#include <cstdint>

#include "grid/GridSizeSums.h"

// The first index from `first` on whose start lies at or after the position (counted from the
// start of `first`); never past the last index.
int FirstIndexAtPosition(const CGridSizeSums& sizes, int first, std::int64_t pos);

// The index that contains the pixel position (counted from the start of `first`), where a
// position on a border of a later index names that later index; never past the last index.
int IndexContainingPosition(const CGridSizeSums& sizes, int first, std::int64_t pos);

// The last index, from `start` on, that reaches into an extent beginning at `origin` and ending
// at `limit`; `end` receives where the drawn part ends (clipped at the limit).
int LastIndexInExtent(const CGridSizeSums& sizes, int start, std::int64_t origin, std::int64_t limit,
                      std::int64_t& end);
