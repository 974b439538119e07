#pragma once
// A block of cells: minimum row, minimum column, maximum row, maximum column, edges included;
// -1 in all four names no block.

#include "grid/CellAddr.h"

class CCellBlock {
 public:
  CCellBlock(int minRow = -1, int minCol = -1, int maxRow = -1, int maxCol = -1)
      : minRow(minRow), minCol(minCol), maxRow(maxRow), maxCol(maxCol) {}

  bool IsValid() const {
    return minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0 && maxRow >= minRow && maxCol >= minCol;
  }
  bool Contains(int row, int col) const {
    return minRow <= row && row <= maxRow && minCol <= col && col <= maxCol;
  }
  bool Contains(const CCellAddr& cell) const { return Contains(cell.row, cell.col); }
  bool operator==(const CCellBlock& o) const {
    return minRow == o.minRow && minCol == o.minCol && maxRow == o.maxRow && maxCol == o.maxCol;
  }
  bool operator!=(const CCellBlock& o) const { return !(*this == o); }

  int minRow;
  int minCol;
  int maxRow;
  int maxCol;
};
