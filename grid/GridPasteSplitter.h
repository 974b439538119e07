#pragma once
// Splits pasted text into the cells it fills: lines end at LF (a final CR is dropped), fields
// at TAB or comma, and each field is trimmed. Hidden rows and columns (size 0) are stepped
// over, and fields that land outside the grid are dropped. The grid is reached only through
// its counts and size functions, so every grid can paste with it.

#include <functional>
#include <vector>

#include "platform/base/String.h"

struct SGridPasteField {
  int row;
  int col;
  CString text;
};

class CGridPasteSplitter {
 public:
  using SizeOf = std::function<int(int index)>;

  CGridPasteSplitter(int rowCount, int colCount, SizeOf rowHeight, SizeOf colWidth);
  // The fields of the text, in order, with the cells they go to from (row, col) on.
  std::vector<SGridPasteField> Split(const CString& text, int row, int col) const;

 private:
  void SplitLine(const CString& line, int row, int col, std::vector<SGridPasteField>& fields) const;

  int m_rowCount;
  int m_colCount;
  SizeOf m_rowHeight;
  SizeOf m_colWidth;
};
