#include <algorithm>
#include <memory>
#include <vector>

#include "grid/CellBase.h"
#include "grid/CellGrid.h"
#include "grid/GridPasteSplitter.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Edit.h"
#include "platform/ui/TextBlocks.h"

CString CCellGrid::BuildCopyText(BOOL withHeader, int minRow, int minCol, int maxRow, int maxCol) {
  CString text;
  // A copy is mostly of the same block as the last one: room for its length saves the text
  // from growing step by step through a large selection.
  text.Reserve(m_copyLengthHint);
  const auto appendCopyTextOf = [&](int row, int col) {
    if (const CCellBase* cell = GetCell(row, col)) cell->AppendCopyText(text);
  };
  // A block the grid knows to be wholly selected needs no look at any cell's state: a hidden row
  // is then passed by its height alone, and a shown row's cells are visited for their texts only.
  const bool wholeBlock = m_selectionEnabled && IsMarkedBlockWhole(CCellBlock(minRow, minCol, maxRow, maxCol));
  // A stored cell is visited once for its selection and its text; a virtual grid's display cell
  // is filled anew for each address, so there the two are asked apart.
  const auto appendIfSelected = [&](int row, int col) {
    if (wholeBlock) {
      m_cells[std::size_t(row)][std::size_t(col)]->AppendCopyText(text);
      return;
    }
    if (m_virtualMode) {
      if (IsCellSelected(row, col)) appendCopyTextOf(row, col);
      return;
    }
    const CCellBase* cell = m_cells[std::size_t(row)][std::size_t(col)];
    if (m_selectionEnabled && cell && (cell->GetState() & GCS_SELECTED)) cell->AppendCopyText(text);
  };
  std::vector<int> shownCols;
  for (int c = std::max(minCol, 0); c <= maxCol; ++c)
    if (GetColumnWidth(c) != 0) shownCols.push_back(c);
  if (withHeader) {
    // Hidden columns are left out here as in the rows, so the heading stays above its column.
    for (int c : shownCols) {
      appendCopyTextOf(0, c);
      if (m_copyColSeparator) text += u'\t';
    }
    if (m_copyRowSeparator) text += u"\r\n";
  }
  for (int r = minRow; r <= maxRow; ++r) {
    const bool taken = wholeBlock || RowHasSelectedCell(r, minCol, maxCol);
    if (taken && GetRowHeight(r) == 0) continue;
    if (taken) {
      for (int c : shownCols) {
        appendIfSelected(r, c);
        if (c < maxCol && m_copyColSeparator) text += u'\t';
      }
    }
    if (r < maxRow && m_copyRowSeparator) text += u"\r\n";
  }
  m_copyLengthHint = text.GetLength();
  return text;
}

void CCellGrid::OnEditCopy() { CopySelectionToClipboard(); }

void CCellGrid::OnEditCut() {
  if (m_editable && CopySelectionToClipboard()) ClearSelectedCells();
}

bool CCellGrid::CopySelectionToClipboard() {
  const std::unique_ptr<COleDataSource> source = CopyToDataSource(m_copyHeaderRow);
  return source && source->SetClipboard();
}

std::unique_ptr<COleDataSource> CCellGrid::CopyToDataSource(BOOL withHeader) {
  const CCellBlock range = GetSelectedCellRange();
  if (!IsValidRange(range)) return nullptr;
  if (m_virtualMode) SendCacheHint(range);
  const CString text = BuildCopyText(withHeader, range.minRow, range.minCol, range.maxRow, range.maxCol);
  if (m_virtualMode) SendCacheHint(CCellBlock());
  auto source = std::make_unique<COleDataSource>();
  source->CacheGlobalData(CF_UNICODETEXT, MakeTextBlock(CF_UNICODETEXT, text));
  return source;
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
  // A cell being edited takes the text into its editor; its end of edit then sets the cell.
  CCellBase* cell = GetCell(target.row, target.col);
  if (cell && cell->IsEditing() && dynamic_cast<CEdit*>(cell->GetEditor())) {
    cell->GetEditor()->SendMessage(WM_PASTE);
    return;
  }
  COleDataObject clipboard;
  clipboard.AttachClipboard();
  PasteFromDataObject(target.row, target.col, &clipboard, TRUE);
}

void CCellGrid::OnUpdateEditCopy(CCmdUI* cmdUI) { cmdUI->Enable(m_selectedCount > 0); }

void CCellGrid::OnUpdateEditCut(CCmdUI* cmdUI) { cmdUI->Enable(m_editable && m_selectedCount > 0); }

void CCellGrid::OnUpdateEditPaste(CCmdUI* cmdUI) {
  cmdUI->Enable(IsValid(m_focusCell) && m_editable &&
                !(GetCellState(m_focusCell.row, m_focusCell.col) & GCS_READONLY) &&
                IsClipboardFormatAvailable(CF_TEXT));
}

BOOL CCellGrid::PasteFromDataObject(int row, int col, COleDataObject* data, BOOL selectPasted) {
  if (!data || !data->IsDataAvailable(CF_TEXT)) return FALSE;
  // The Unicode text keeps every character, which the 8-bit text may not.
  std::vector<BYTE> block;
  for (UINT format : {CF_UNICODETEXT, CF_TEXT})
    if (data->GetGlobalData(format, block)) return PasteText(row, col, ReadTextBlock(format, block), selectPasted);
  return FALSE;
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
