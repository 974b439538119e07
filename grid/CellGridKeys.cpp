// The keyboard: the keys that move the focus (with Tab wrapping between rows), the key notices
// to the owner, and the characters that start an edit of the focus cell.

#include <algorithm>

#include "grid/CellGrid.h"
#include "grid/GridMouse.h"

namespace {

// The key kinds of the key notice: a plain key, and a key with Control.
constexpr int kPlainKey = 1;
constexpr int kControlKey = 2;

}  // namespace

int CCellGrid::NextVisibleColumn(int row, int col, int step) const {
  for (int c = col + step; c >= m_fixedCols && c < m_cols; c += step)
    if (GetColumnWidth(c, row) > 0) return c;
  return col;
}

int CCellGrid::NextVisibleRow(int row, int step) const {
  for (int r = row + step; r >= m_fixedRows && r < m_rows; r += step)
    if (m_rowHeights.Get(r) > 0) return r;
  return row;
}

CCellAddr CCellGrid::WrapTab(bool backwards, bool& wrapped) const {
  const CCellAddr focus = m_focusCell;
  const int row = NextVisibleRow(focus.row, backwards ? -1 : 1);
  if (row == focus.row) return focus;
  const int edge = backwards ? m_cols : m_fixedCols - 1;
  const int col = NextVisibleColumn(row, edge, backwards ? -1 : 1);
  if (col == edge) return focus;
  wrapped = true;
  return CCellAddr(row, col);
}

CCellAddr CCellGrid::KeyTarget(UINT key, bool shift, bool ctrl, bool& wrapped) {
  CCellAddr cell = m_focusCell;
  switch (key) {
    case VK_LEFT:
      cell.col = NextVisibleColumn(cell.row, cell.col, -1);
      break;
    case VK_RIGHT:
      cell.col = NextVisibleColumn(cell.row, cell.col, 1);
      break;
    case VK_UP:
      cell.row = NextVisibleRow(cell.row, -1);
      break;
    case VK_DOWN:
      cell.row = NextVisibleRow(cell.row, 1);
      break;
    case VK_TAB:
      cell.col = NextVisibleColumn(cell.row, cell.col, shift ? -1 : 1);
      if (cell.col == m_focusCell.col) cell = WrapTab(shift, wrapped);
      break;
    case VK_PRIOR:
    case VK_NEXT: {
      const int before = GetTopLeftScrollCell().row;
      SendMessage(WM_VSCROLL, key == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN);
      const int moved = GetTopLeftScrollCell().row - before;
      if (moved == 0)
        cell.row = key == VK_PRIOR ? m_fixedRows : m_rows - 1;
      else
        cell.row = std::clamp(cell.row + moved, m_fixedRows, m_rows - 1);
      break;
    }
    case VK_HOME: {
      SendMessage(WM_HSCROLL, SB_LEFT);
      if (ctrl) {
        SendMessage(WM_VSCROLL, SB_TOP);
        cell.row = m_fixedRows;
      }
      int col = m_fixedCols;
      while (col < m_cols && m_colWidths.Get(col) == 0) ++col;
      cell.col = col < m_cols ? col : m_cols - 1;
      while (cell.row < m_rows - 1 && m_rowHeights.Get(cell.row) == 0) ++cell.row;
      break;
    }
    case VK_END: {
      SendMessage(WM_HSCROLL, SB_RIGHT);
      if (ctrl) {
        SendMessage(WM_VSCROLL, SB_BOTTOM);
        cell.row = m_rows - 1;
      }
      // The search stops at the second scrolled column and row, or at the only one when the grid
      // has a single one: never outside the grid.
      const int lowestCol = std::min(m_fixedCols + 1, m_cols - 1);
      int col = m_cols - 1;
      while (col > lowestCol && m_colWidths.Get(col) == 0) --col;
      cell.col = col;
      const int lowestRow = std::min(m_fixedRows + 1, m_rows - 1);
      while (cell.row > lowestRow && m_rowHeights.Get(cell.row) == 0) --cell.row;
      break;
    }
    default:
      break;
  }
  return cell;
}

void CCellGrid::MoveFocusByKey(UINT key, const CCellAddr& target, bool shift, bool wrapped) {
  const CCellAddr from = m_focusCell;
  if (m_mouseMode == kMouseIdle) {
    if (!shift || key == VK_TAB) m_selectionAnchor = target;
    SelectByKeyMove(*this, m_mouseMode, m_wholeRowSelection ? kMouseSelectRows : kMouseSelectCells, target);
  }
  SetFocusCell(target);
  if (!IsCellVisible(target.row, target.col)) {
    if (key == VK_TAB && wrapped) {
      SendMessage(WM_VSCROLL, shift ? SB_LINEUP : SB_LINEDOWN);
      WriteScrollPosition(SB_HORZ, shift ? m_scrollBars.GetMaximum(SB_HORZ) : 0);
    } else if (key == VK_RIGHT || (key == VK_TAB && !shift)) {
      SendMessage(WM_HSCROLL, SB_LINERIGHT);
    } else if (key == VK_LEFT || key == VK_TAB) {
      SendMessage(WM_HSCROLL, SB_LINELEFT);
    } else if (key == VK_UP) {
      SendMessage(WM_VSCROLL, SB_LINEUP);
    } else if (key == VK_DOWN) {
      SendMessage(WM_VSCROLL, SB_LINEDOWN);
    }
    EnsureVisible(target.row, target.col);
    Invalidate();
  }
  EnsureVisible(target.row, target.col);
  if (target.col != from.col) SendMessage(WM_HSCROLL, SB_ENDSCROLL);
  if (target.row != from.row) SendMessage(WM_VSCROLL, SB_ENDSCROLL);
}

bool CCellGrid::HandleKeyDown(UINT key) {
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  if (ctrl && key == 'S') SendNotification('S', kControlKey, GRIDN_KEYDOWN);
  if (!IsValid(m_focusCell)) return true;
  switch (key) {
    case VK_SPACE:
      SendNotification(VK_SPACE, kPlainKey, GRIDN_KEYDOWN);
      return true;
    case VK_RETURN:
    case VK_DELETE:
      SendNotification(int(key), kPlainKey, GRIDN_KEYDOWN);
      return false;
    case VK_F2:
      // The editor takes its starting character as a typed one, and F2's key code is the
      // letter "q": the edit starts as Return starts it, with the caret after the text.
      BeginCellEdit(m_focusCell.row, m_focusCell.col, CPoint(-1, -1), VK_RETURN);
      return false;
    case 'A':
    case 'C':
      if (ctrl) key == 'A' ? OnEditSelectAll() : OnEditCopy();
      return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_TAB:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
      break;
    default:
      return true;
  }
  bool wrapped = false;
  const CCellAddr target = KeyTarget(key, shift, ctrl, wrapped);
  const bool passOn = key == VK_TAB && !wrapped;
  if (target == m_focusCell) return passOn;
  MoveFocusByKey(key, target, shift, wrapped);
  return passOn;
}

void CCellGrid::OnKeyDown(UINT ch, UINT repeat, UINT flags) {
  if (HandleKeyDown(ch)) CWnd::OnKeyDown(ch, repeat, flags);
}

UINT CCellGrid::OnGetDlgCode() {
  UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (m_handleTab && GetKeyState(VK_CONTROL) >= 0) code |= DLGC_WANTTAB;
  return code;
}

bool CCellGrid::StartsEditOnChar(UINT ch, bool imeChar) const {
  if (GetKeyState(VK_CONTROL) < 0 || m_mouseMode != kMouseIdle || ch == VK_ESCAPE) return false;
  return imeChar || ch != VK_TAB || !m_handleTab;
}

void CCellGrid::OnChar(UINT ch, UINT repeat, UINT flags) {
  if (StartsEditOnChar(ch, false)) BeginCellEdit(m_focusCell.row, m_focusCell.col, CPoint(-1, -1), ch);
  CWnd::OnChar(ch, repeat, flags);
}

LRESULT CCellGrid::OnImeChar(WPARAM ch, LPARAM) {
  if (StartsEditOnChar(UINT(ch), true))
    BeginCellEdit(m_focusCell.row, m_focusCell.col, CPoint(-1, -1), UINT(ch));
  return 0;
}
