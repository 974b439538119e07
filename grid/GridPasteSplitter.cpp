#include "grid/GridPasteSplitter.h"

#include <utility>

CGridPasteSplitter::CGridPasteSplitter(int rowCount, int colCount, SizeOf rowHeight, SizeOf colWidth)
    : m_rowCount(rowCount),
      m_colCount(colCount),
      m_rowHeight(std::move(rowHeight)),
      m_colWidth(std::move(colWidth)) {}

std::vector<SGridPasteField> CGridPasteSplitter::Split(const CString& text, int row, int col) const {
  std::vector<SGridPasteField> fields;
  int start = 0;
  for (;;) {
    while (row < m_rowCount && m_rowHeight(row) == 0) ++row;
    const int end = text.Find(u'\n', start);
    CString line = end < 0 ? text.Mid(start) : text.Mid(start, end - start);
    // Without this a line ending "x,\r" would give the CR a field of its own and empty a cell.
    if (!line.IsEmpty() && line[line.GetLength() - 1] == u'\r') line = line.Left(line.GetLength() - 1);
    SplitLine(line, row, col, fields);
    if (end < 0) break;
    start = end + 1;
    ++row;
  }
  return fields;
}

void CGridPasteSplitter::SplitLine(const CString& line, int row, int col,
                                   std::vector<SGridPasteField>& fields) const {
  int start = 0;
  int target = col;
  while (start < line.GetLength()) {
    while (target < m_colCount && m_colWidth(target) == 0) ++target;
    int end = start;
    while (end < line.GetLength() && line[end] != u'\t' && line[end] != u',') ++end;
    if (row < m_rowCount && target < m_colCount) {
      CString field = line.Mid(start, end - start);
      field.Trim();
      fields.push_back({row, target, field});
    }
    start = end + 1;
    ++target;
  }
}
