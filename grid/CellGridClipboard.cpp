#include <algorithm>
#include <utility>
#include <vector>

#include "grid/CellBase.h"
#include "grid/CellGrid.h"
#include "platform/ui/Clipboard.h"

CString CCellGrid::BuildCopyText(BOOL withHeader, int minRow, int minCol, int maxRow, int maxCol) {
  CString text;
  const auto copyTextOf = [this](int row, int col) {
    const CCellBase* cell = GetCell(row, col);
    return cell ? cell->GetCopyText() : CString();
  };
  if (withHeader) {
    // Hidden columns are left out here as in the rows, so the heading stays above its column.
    for (int c = minCol; c <= maxCol; ++c) {
      if (GetColumnWidth(c) == 0) continue;
      text += copyTextOf(0, c);
      if (m_copyColSeparator) text += u"\t";
    }
    if (m_copyRowSeparator) text += u"\r\n";
  }
  for (int r = minRow; r <= maxRow; ++r) {
    bool taken = false;
    for (int c = minCol; c <= maxCol && m_selectionEnabled && !taken; ++c) taken = IsCellSelected(r, c);
    if (taken && GetRowHeight(r) == 0) continue;
    if (taken) {
      for (int c = minCol; c <= maxCol; ++c) {
        if (GetColumnWidth(c) == 0) continue;
        if (IsCellSelected(r, c)) text += copyTextOf(r, c);
        if (c < maxCol && m_copyColSeparator) text += u"\t";
      }
    }
    if (r < maxRow && m_copyRowSeparator) text += u"\r\n";
  }
  return text;
}

void CCellGrid::OnEditCopy() {
  const CCellBlock range = GetSelectedCellRange();
  if (!IsValidRange(range)) return;
  if (m_virtualMode) SendCacheHint(range);
  const CString text = BuildCopyText(m_copyHeaderRow, range.minRow, range.minCol, range.maxRow, range.maxCol);
  if (m_virtualMode) SendCacheHint(CCellBlock());
  std::vector<BYTE> block((std::size_t(text.GetLength()) + 1) * sizeof(char16_t), 0);
  std::copy_n(reinterpret_cast<const BYTE*>(text.GetString()),
              std::size_t(text.GetLength()) * sizeof(char16_t), block.begin());
  if (!OpenClipboard(this)) return;
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, std::move(block));
  CloseClipboard();
}

BOOL CCellGrid::SetCopyRowSeparator(BOOL on) {
  const BOOL previous = m_copyRowSeparator;
  m_copyRowSeparator = on ? 1 : 0;
  return previous;
}

BOOL CCellGrid::SetCopyColumnSeparator(BOOL on) {
  const BOOL previous = m_copyColSeparator;
  m_copyColSeparator = on ? 1 : 0;
  return previous;
}
