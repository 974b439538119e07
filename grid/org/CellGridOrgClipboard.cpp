// Clipboard text: the selected block as 8-bit text (TAB between cells, CR LF between rows, one
// zero byte at the end) and pasting such text from a cell on, through the edit checks.

#include <algorithm>
#include <string>

#include "grid/GridPasteSplitter.h"
#include "grid/org/CellBaseOrg.h"
#include "grid/org/CellGridOrg.h"

void CCellGridOrg::ClearSelectedCells() {
  if (!m_editable) return;
  const AddressSet selected = m_selected;
  for (const auto& [r, c] : selected) ValidateAndSetCellText(r, c, u"");
}

std::vector<BYTE> CCellGridOrg::BuildClipboardText() {
  const CCellBlock range = GetSelectedCellRange();
  if (!range.IsValid() || range.maxRow >= m_rows || range.maxCol >= m_cols) return {};
  if (m_virtualMode) SendCacheHint(range);
  std::vector<BYTE> text;
  for (int r = range.minRow; r <= range.maxRow; ++r) {
    if (m_rowHeights.Get(r) == 0) continue;
    CString line;
    for (int c = range.minCol; c <= range.maxCol; ++c) {
      if (m_colWidths.Get(c) == 0) continue;
      if (IsCellSelected(r, c)) line += GetCellText(r, c);
      if (c != range.maxCol) line += u'\t';
    }
    if (r != range.maxRow) line += u"\r\n";
    const std::string bytes = line.ToAnsi();
    text.insert(text.end(), bytes.begin(), bytes.end());
  }
  text.push_back(0);
  if (m_virtualMode) SendCacheHint(CCellBlock());
  return text;
}

BOOL CCellGridOrg::PasteTextBlock(int row, int col, const std::vector<BYTE>& block, BOOL selectPasted) {
  CCellBaseOrg* target = GetCell(row, col);
  if (!target || !m_editable || target->IsReadOnly()) return FALSE;
  const auto end = std::find(block.begin(), block.end(), BYTE(0));
  const CString text = CString::FromAnsi(std::string_view(reinterpret_cast<const char*>(block.data()),
                                                         std::size_t(end - block.begin())));
  const CGridPasteSplitter splitter(
      m_rows, m_cols, [this](int r) { return m_rowHeights.Get(r); }, [this](int c) { return m_colWidths.Get(c); });
  int maxRow = row, maxCol = col;
  for (const SGridPasteField& field : splitter.Split(text, row, col)) {
    ValidateAndSetCellText(field.row, field.col, field.text);
    SetCellState(field.row, field.col, CurrentState(field.row, field.col) & ~GCS_SELECTED);
    maxRow = std::max(maxRow, field.row);
    maxCol = std::max(maxCol, field.col);
  }
  if (selectPasted) {
    SetSelectedRange(row, col, maxRow, maxCol, TRUE, TRUE);
  } else {
    ClearSelection();
    Invalidate();
  }
  return TRUE;
}

void CCellGridOrg::OnEditSelectAll() {
  SendNotification(m_buttonDownCell.row, m_buttonDownCell.col, GRIDN_SELCHANGING);
  if (m_selectionEnabled) SetSelectedRange(m_fixedRows, m_fixedCols, m_rows - 1, m_cols - 1, FALSE, TRUE);
  SendNotification(m_focusCell.row, m_focusCell.col, GRIDN_SELCHANGED);
}
