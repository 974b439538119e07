#pragma once
// The address of one cell: row then column; (-1, -1) names no cell.

class CCellAddr {
 public:
  CCellAddr(int row = -1, int col = -1) : row(row), col(col) {}

  bool IsValid() const { return row >= 0 && col >= 0; }
  bool operator==(const CCellAddr& other) const { return row == other.row && col == other.col; }
  bool operator!=(const CCellAddr& other) const { return !(*this == other); }

  int row;
  int col;
};
