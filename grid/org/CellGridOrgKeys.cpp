// The keyboard: edit and clipboard keys, moving the focus, and characters that start editing.

#include <algorithm>

#include "grid/GridMouse.h"
#include "grid/org/CellBaseOrg.h"
#include "grid/org/CellGridOrg.h"

namespace {

bool KeyHeld(int key) { return GetKeyState(key) < 0; }

}  // namespace

UINT CCellGridOrg::OnGetDlgCode() {
  UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (m_handleTab && !KeyHeld(VK_CONTROL)) code |= DLGC_WANTTAB;
  return code;
}

void CCellGridOrg::OnSysKeyDown(UINT key, UINT repeat, UINT flags) { CWnd::OnKeyDown(key, repeat, flags); }

void CCellGridOrg::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  m_titleTip.HideTip();
  if (!IsValid(m_focusCell)) {
    CWnd::OnKeyDown(key, repeat, flags);
    return;
  }
  const bool control = KeyHeld(VK_CONTROL);
  const bool shift = KeyHeld(VK_SHIFT);
  if (control) {
    switch (key) {
      case VK_INSERT:
      case 'C':
        OnEditCopy();
        return;
      case 'A':
        OnEditSelectAll();
        return;
      case 'V':
        OnEditPaste();
        return;
      case 'X':
        OnEditCut();
        return;
      case VK_ADD:
        AutoSizeColumns(0);
        Invalidate();
        return;
      default:
        break;
    }
  }
  if (shift && key == VK_INSERT) {
    OnEditPaste();
    return;
  }
  if (key == VK_DELETE) {
    ClearSelectedCells();
    return;
  }
  if (key == VK_F2) {
    BeginCellEdit(m_focusCell.row, m_focusCell.col, CPoint(-1, -1), VK_LBUTTON);
    return;
  }
  if (key == VK_TAB && !shift && m_tabToNextControl) {
    if (CWnd* parent = GetParent()) parent->SendMessage(WM_NEXTDLGCTL, 0, 0);
    return;
  }
  if (!MoveFocusByKey(key, shift)) CWnd::OnKeyDown(key, repeat, flags);
}

BOOL CCellGridOrg::MoveFocusByKey(UINT key, bool shift) {
  CCellAddrOrg next = m_focusCell;
  const int firstRow = m_fixedRows, firstCol = m_fixedCols;
  auto shownCol = [&](int c) { return m_colWidths.Get(c) > 0; };
  auto shownRow = [&](int r) { return m_rowHeights.Get(r) > 0; };
  auto stepCol = [&](int c, int step) {
    for (int n = c + step; n >= firstCol && n < m_cols; n += step)
      if (shownCol(n)) return n;
    return c;
  };
  auto stepRow = [&](int r, int step) {
    for (int n = r + step; n >= firstRow && n < m_rows; n += step)
      if (shownRow(n)) return n;
    return r;
  };
  bool wrapped = false;
  bool horizontal = false;
  const bool backTab = key == VK_TAB && shift;
  switch (key) {
    case VK_LEFT:
      next.col = stepCol(next.col, -1);
      horizontal = true;
      break;
    case VK_RIGHT:
      next.col = stepCol(next.col, 1);
      horizontal = true;
      break;
    case VK_UP:
      next.row = stepRow(next.row, -1);
      break;
    case VK_DOWN:
      next.row = stepRow(next.row, 1);
      break;
    case VK_TAB:
      horizontal = true;
      if (!backTab) {
        next.col = stepCol(next.col, 1);
        if (next.col == m_focusCell.col && stepRow(next.row, 1) != next.row) {
          next.row = stepRow(next.row, 1);
          next.col = shownCol(firstCol) ? firstCol : stepCol(firstCol, 1);
          wrapped = true;
        }
      } else {
        next.col = stepCol(next.col, -1);
        if (next.col == m_focusCell.col && stepRow(next.row, -1) != next.row) {
          next.row = stepRow(next.row, -1);
          next.col = shownCol(m_cols - 1) ? m_cols - 1 : stepCol(m_cols - 1, -1);
          wrapped = true;
        }
      }
      break;
    case VK_PRIOR:
    case VK_NEXT: {
      const CCellAddrOrg before = GetTopLeftScrollCell();
      SendMessage(WM_VSCROLL, key == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN);
      const CCellAddrOrg after = GetTopLeftScrollCell();
      if (after == before)
        next.row = key == VK_PRIOR ? firstRow : m_rows - 1;
      else
        next.row = std::clamp(next.row + after.row - before.row, firstRow, m_rows - 1);
      break;
    }
    case VK_HOME:
      SendMessage(WM_HSCROLL, SB_LEFT);
      if (KeyHeld(VK_CONTROL)) {
        SendMessage(WM_VSCROLL, SB_TOP);
        next.row = firstRow;
      }
      next.col = shownCol(firstCol) ? firstCol : stepCol(firstCol, 1);
      while (next.row < m_rows - 1 && !shownRow(next.row)) ++next.row;
      horizontal = true;
      break;
    case VK_END:
      SendMessage(WM_HSCROLL, SB_RIGHT);
      if (KeyHeld(VK_CONTROL)) {
        SendMessage(WM_VSCROLL, SB_BOTTOM);
        next.row = m_rows - 1;
      }
      next.col = shownCol(m_cols - 1) ? m_cols - 1 : stepCol(m_cols - 1, -1);
      while (next.row > firstRow && !shownRow(next.row)) --next.row;
      horizontal = true;
      break;
    default:
      return FALSE;
  }
  if (key == VK_TAB && !wrapped && next == m_focusCell) return FALSE;
  if (next == m_focusCell) return TRUE;
  if (m_mouseMode == kMouseIdle) {
    m_previousSelection.clear();
    if (!shift || key == VK_TAB) m_selectionAnchor = next;
    SelectByKeyMove(*this, m_mouseMode, m_listMode ? kMouseSelectRows : kMouseSelectCells, next);
  }
  SetFocusCell(next.row, next.col);
  if (!IsCellVisible(next.row, next.col)) {
    if (wrapped) {
      SendMessage(WM_VSCROLL, backTab ? SB_LINEUP : SB_LINEDOWN);
      m_scrollBars.Write(SB_HORZ, backTab ? m_scrollBars.GetMaximum(SB_HORZ) : 0);
    }
    EnsureVisible(next.row, next.col);
    Invalidate();
  }
  EnsureVisible(next.row, next.col);
  SendMessage(horizontal ? WM_HSCROLL : WM_VSCROLL, SB_ENDSCROLL);
  return TRUE;
}

void CCellGridOrg::OnChar(UINT ch, UINT repeat, UINT flags) {
  if (!KeyHeld(VK_CONTROL) && m_mouseMode == kMouseIdle && ch != 27 && !(ch == VK_TAB && m_handleTab))
    BeginCellEdit(m_focusCell.row, m_focusCell.col, CPoint(-1, -1), ch);
  CWnd::OnChar(ch, repeat, flags);
}

LRESULT CCellGridOrg::OnImeChar(WPARAM ch, LPARAM) {
  if (!KeyHeld(VK_CONTROL) && m_mouseMode == kMouseIdle && ch != 27)
    BeginCellEdit(m_focusCell.row, m_focusCell.col, CPoint(-1, -1), UINT(ch));
  return 0;
}
