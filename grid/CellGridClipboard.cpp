#include <algorithm>
#include <utility>
#include <vector>

#include "grid/CellBase.h"
#include "grid/CellGrid.h"
#include "grid/GridPasteSplitter.h"
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

void CCellGrid::OnEditCopy() { CopySelectionToClipboard(); }

void CCellGrid::OnEditCut() {
  if (m_editable && CopySelectionToClipboard()) ClearSelectedCells();
}

bool CCellGrid::CopySelectionToClipboard() {
  const CCellBlock range = GetSelectedCellRange();
  if (!IsValidRange(range)) return false;
  if (m_virtualMode) SendCacheHint(range);
  const CString text = BuildCopyText(m_copyHeaderRow, range.minRow, range.minCol, range.maxRow, range.maxCol);
  if (m_virtualMode) SendCacheHint(CCellBlock());
  std::vector<BYTE> block((std::size_t(text.GetLength()) + 1) * sizeof(char16_t), 0);
  std::copy_n(reinterpret_cast<const BYTE*>(text.GetString()),
              std::size_t(text.GetLength()) * sizeof(char16_t), block.begin());
  if (!OpenClipboard(this)) return false;
  EmptyClipboard();
  const BOOL set = SetClipboardData(CF_UNICODETEXT, std::move(block));
  CloseClipboard();
  return set != FALSE;
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

void CCellGrid::ClearSelectedCells() {
  if (!m_editable) return;
  for (int r = 0; r < m_rows; ++r)
    for (int c = 0; c < m_cols; ++c)
      if (HasSelectedBit(r, c)) ValidateAndSetCellText(r, c, u"");
}

void CCellGrid::OnEditPaste() {
  if (!m_editable) return;
  const CCellBlock range = GetSelectedCellRange();
  CCellAddr target = IsValidRange(range) ? CCellAddr(range.minRow, range.minCol) : m_focusCell;
  if (!IsValid(target)) target = GetTopLeftScrollCell();
  if (!IsValid(target)) return;
  // The Unicode text keeps every character; it is what the copy above puts there.
  std::vector<BYTE> block;
  if (!GetClipboardData(CF_UNICODETEXT, block)) return;
  const auto* units = reinterpret_cast<const char16_t*>(block.data());
  std::size_t length = 0;
  while (length < block.size() / sizeof(char16_t) && units[length] != 0) ++length;
  PasteText(target.row, target.col, CString(units, int(length)), TRUE);
}

BOOL CCellGrid::PasteText(int row, int col, const CString& text, BOOL selectPasted) {
  if (!IsValid(row, col) || !m_editable || (GetCellState(row, col) & GCS_READONLY)) return FALSE;
  const CGridPasteSplitter splitter(
      m_rows, m_cols, [this](int r) { return GetRowHeight(r); }, [this](int c) { return GetColumnWidth(c); });
  int maxRow = -1, maxCol = -1;
  for (const SGridPasteField& field : splitter.Split(text, row, col)) {
    ValidateAndSetCellText(field.row, field.col, field.text);
    if (!m_virtualMode)
      SetCellState(field.row, field.col, GetCellState(field.row, field.col) & ~GCS_SELECTED);
    maxRow = std::max(maxRow, field.row);
    maxCol = std::max(maxCol, field.col);
  }
  if (selectPasted) {
    SetSelectedRange(row, col, maxRow, maxCol, FALSE, TRUE);
  } else {
    ClearSelection();
    Invalidate();
  }
  return TRUE;
}
