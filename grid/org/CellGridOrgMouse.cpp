// The mouse: presses, moves, releases and double clicks, sizing rows and columns by their
// borders, the auto-scroll timer while selecting, cursors, header clicks, title tips and the
// right button.

#include <algorithm>

#include "grid/org/CellBaseOrg.h"
#include "grid/org/CellGridOrg.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WaitCursor.h"

namespace {

constexpr UINT_PTR kSelectionTimer = 513;

bool ControlHeld(UINT flags) { return (flags & MK_CONTROL) != 0; }
bool ShiftHeld(UINT flags) { return (flags & MK_SHIFT) != 0; }

void ShowCursorShape(LPCWSTR shape) { SetCursor(LoadCursor(nullptr, shape)); }

}  // namespace

void CCellGridOrg::SendCommandToOwner() {
  CWnd* target = GetOwner();
  if (target && target->GetSafeHwnd())
    target->PostMessage(WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID()), 0), LPARAM(GetSafeHwnd()));
}

bool CCellGridOrg::PressOnBorder(CPoint point, const CCellAddrOrg& cell) {
  CPoint origin;
  if (!GetCellOrigin(cell.row, cell.col, origin)) return false;
  if (point.y < GetFixedRowsHeight() && m_allowColumnResize) {
    const int right = origin.x + m_colWidths.Get(cell.col);
    if ((point.x - origin.x < m_resizeCaptureRange && cell.col != 0) || right - point.x <= m_resizeCaptureRange) {
      ShowCursorShape(IDC_SIZEWE);
      m_mouseMode = 8;
      return true;
    }
  }
  if (point.x < GetFixedColumnsWidth() && m_allowRowResize) {
    const int bottom = origin.y + m_rowHeights.Get(cell.row);
    if ((point.y - origin.y < m_resizeCaptureRange && cell.row != 0) || bottom - point.y <= m_resizeCaptureRange) {
      ShowCursorShape(IDC_SIZENS);
      m_mouseMode = 6;
      return true;
    }
  }
  return false;
}

int CCellGridOrg::ColumnLeftOfBorder(CPoint point, const CCellAddrOrg& cell) const {
  CPoint origin;
  int col = cell.col;
  if (const_cast<CCellGridOrg*>(this)->GetCellOrigin(cell.row, cell.col, origin) &&
      point.x - origin.x < m_resizeCaptureRange)
    --col;
  while (col > 0 && m_colWidths.Get(col) == 0) --col;
  return col;
}

int CCellGridOrg::RowAboveBorder(CPoint point, const CCellAddrOrg& cell) const {
  CPoint origin;
  int row = cell.row;
  if (const_cast<CCellGridOrg*>(this)->GetCellOrigin(cell.row, cell.col, origin) &&
      point.y - origin.y < m_resizeCaptureRange)
    --row;
  while (row > 0 && m_rowHeights.Get(row) == 0) --row;
  return row;
}

void CCellGridOrg::DrawResizeLine(CPoint point) {
  const CRect client = GetGridClientRect();
  CClientDC dc(this);
  const CRect line = m_mouseMode == 9 ? CRect(point.x, 0, point.x + 2, client.bottom)
                                      : CRect(0, point.y, client.right, point.y + 2);
  dc.InvertRect(line);
}

void CCellGridOrg::PressOnSelectedWithControl(UINT flags) {
  const CCellAddrOrg cell = m_buttonDownCell;
  SetFocusCell(cell.row, cell.col);
  if (m_listMode) {
    if (!ShiftHeld(flags)) m_selectionAnchor = cell;
    SelectRows(cell, TRUE, FALSE);
  } else if (ShiftHeld(flags)) {
    SelectCells(cell, TRUE, FALSE);
  } else {
    SetSelectedRange(cell.row, cell.col, cell.row, cell.col, TRUE, FALSE);
  }
}

void CCellGridOrg::StartSelectionAt(UINT flags, const CCellAddrOrg& cell) {
  SendNotification(cell.row, cell.col, GRIDN_SELCHANGING);
  m_previousSelection.clear();
  if (ControlHeld(flags)) m_previousSelection = m_selected;
  if (cell.row < m_fixedRows) {
    HandleFixedRowClick(cell);
    if (m_columnDragReorders && cell.col >= m_fixedCols) {
      ClearSelection();
      m_mouseMode = 11;
      m_draggedColumn = cell.col;
    }
  } else if (cell.col < m_fixedCols) {
    HandleFixedColumnClick(cell);
  } else {
    m_mouseMode = m_listMode ? 3 : 4;
    SelectToCell(cell);
    m_selectionTimer = SetTimer(kSelectionTimer, UINT(m_selectionTimerInterval));
  }
}

void CCellGridOrg::OnLButtonDown(UINT flags, CPoint point) {
  SetFocus();
  m_buttonDownPoint = point;
  m_leftButtonDown = TRUE;
  m_draggedColumn = -1;
  m_buttonDownCell = GetCellAtPoint(point, TRUE);
  const CCellAddrOrg cell = m_buttonDownCell;
  if (!IsValid(cell)) return;
  m_dragSourceRow = cell.row;
  if (ShiftHeld(flags)) {
    if (!IsValid(m_selectionAnchor)) m_selectionAnchor = m_focusCell;
  } else {
    m_selectionAnchor = cell;
  }
  StopEditing();
  CCellBaseOrg* target = GetCell(cell.row, cell.col);
  CRect rect;
  bool onText = false;
  if (target && GetCellRect(cell.row, cell.col, rect)) {
    target->OnLeftButtonDown(CPoint(point.x - rect.left, point.y - rect.top));
    CRect text = rect;
    target->AdjustTextRect(text);
    onText = text.PtInRect(point) != 0;
  }
  const bool editable = m_editable && target && !target->IsReadOnly();
  if (cell == m_focusCell && onText && !ControlHeld(flags) && editable) {
    m_mouseMode = 10;
    return;
  }
  if (IsCellSelected(cell.row, cell.col) && cell.row >= m_fixedRows && cell.col >= m_fixedCols) {
    if (ControlHeld(flags)) {
      PressOnSelectedWithControl(flags);
      return;
    }
    SetFocusCell(cell.row, cell.col);
    if (m_dragAndDrop) m_mouseMode = 11;
  } else if (m_mouseMode != 6 && m_mouseMode != 8) {
    if (cell.row < m_fixedRows || cell.col < m_fixedCols)
      SetFocusCell(-1, -1);
    else
      SetFocusCell(cell.row, cell.col);
  }
  SetCapture();
  if (m_mouseMode == 0) PressOnBorder(point, cell);
  if (m_mouseMode == 8 || m_mouseMode == 6) {
    m_mouseMode = m_mouseMode == 8 ? 9 : 7;
    DrawResizeLine(point);
    m_resizeLineShown = true;
  } else if (m_mouseMode != 11) {
    StartSelectionAt(flags, cell);
  }
  m_lastMousePoint = point;
}

void CCellGridOrg::FinishSizing(CPoint point) {
  if (m_resizeLineShown) DrawResizeLine(m_lastMousePoint);
  m_resizeLineShown = false;
  if (point == m_buttonDownPoint || point == CPoint(0, 0)) return;
  CPoint origin;
  if (m_mouseMode == 9) {
    const int col = ColumnLeftOfBorder(m_buttonDownPoint, m_buttonDownCell);
    if (!GetCellOrigin(std::min(m_buttonDownCell.row, m_rows - 1), col, origin)) return;
    SetColumnWidth(col, std::max(int(point.x - origin.x), m_allowHidingColumns ? 0 : 1));
  } else {
    const int row = RowAboveBorder(m_buttonDownPoint, m_buttonDownCell);
    if (!GetCellOrigin(row, std::min(m_buttonDownCell.col, m_cols - 1), origin)) return;
    SetRowHeight(row, std::max(int(point.y - origin.y), m_allowHidingRows ? 0 : 1));
  }
  Invalidate();
}

void CCellGridOrg::OnLButtonUp(UINT, CPoint point) {
  Default();
  m_leftButtonDown = FALSE;
  if (GetCapture() == this) {
    ReleaseCapture();
    KillTimer(kSelectionTimer);
  }
  const CCellAddrOrg focus = m_focusCell;
  CPoint origin;
  const CPoint relative =
      GetCellOrigin(focus.row, focus.col, origin) ? CPoint(point.x - origin.x, point.y - origin.y) : CPoint(0, 0);
  CCellBaseOrg* focusCell = GetCell(focus.row, focus.col);
  switch (m_mouseMode) {
    case 10:
      BeginCellEdit(focus.row, focus.col, relative, VK_LBUTTON);
      break;
    case 11:
      if (focusCell) focusCell->OnClick(relative);
      SendNotification(m_buttonDownCell.row, m_buttonDownCell.col, GRIDN_CLICK);
      SendNotification(m_buttonDownCell.row, m_buttonDownCell.col, GRIDN_SELCHANGING);
      ClearSelection();
      SendNotification(-1, -1, GRIDN_SELCHANGED);
      break;
    case 7:
    case 9:
      FinishSizing(point);
      break;
    default:
      SendNotification(focus.row, focus.col, GRIDN_SELCHANGED);
      if (focusCell) focusCell->OnClick(relative);
      SendNotification(m_buttonDownCell.row, m_buttonDownCell.col, GRIDN_CLICK);
      break;
  }
  m_mouseMode = 0;
  m_draggedColumn = -1;
  ShowCursorShape(IDC_ARROW);
  if (IsValid(m_buttonDownCell)) SendCommandToOwner();
}

void CCellGridOrg::ShowTitleTip(const CCellAddrOrg& cell) {
  CCellBaseOrg* target = GetCell(cell.row, cell.col);
  if (!target || target->GetHintText().IsEmpty() || target->IsEditing()) return;
  CRect rect;
  if (!GetCellRect(cell.row, cell.col, rect)) return;
  CRect text = rect;
  if (!target->AdjustHintRect(text)) return;
  m_titleTip.ShowTip(text, target->GetHintText(), 0, &rect, target->GetFont(), m_tipTextColor, m_tipBackColor);
}

void CCellGridOrg::OnMouseMove(UINT, CPoint point) {
  const CRect client = GetGridClientRect();
  if (m_mouseMode != 12 && !client.PtInRect(point)) return;
  if (m_leftButtonDown && m_mouseMode != 0) {
    if (!IsValid(m_buttonDownCell)) return;
    switch (m_mouseMode) {
      case 2:
      case 3:
      case 4: {
        const CCellAddrOrg cell = GetCellAtPoint(point, TRUE);
        if (!IsValid(cell)) return;
        if (CCellBaseOrg* target = GetCell(cell.row, cell.col)) target->OnMouseOver();
        if (cell != m_focusCell) {
          SelectToCell(cell);
          if ((cell.row >= m_fixedRows && cell.col >= m_fixedCols) || m_mouseMode == 2 || m_mouseMode == 3)
            SetFocusCell(cell.row, cell.col);
        }
        break;
      }
      case 7:
      case 9:
        if (m_resizeLineShown) DrawResizeLine(m_lastMousePoint);
        DrawResizeLine(point);
        m_resizeLineShown = true;
        break;
      case 10:
      case 11:
        m_mouseMode = 11;
        OnBeginDrag();
        break;
      default:
        break;
    }
    m_lastMousePoint = point;
    return;
  }
  const CCellAddrOrg cell = GetCellAtPoint(point, TRUE);
  const int before = m_mouseMode;
  if (!IsValid(cell) || !PressOnBorder(point, cell)) {
    if (m_mouseMode != 0) ShowCursorShape(IDC_ARROW);
    m_mouseMode = 0;
  }
  if (before == 0 && m_mouseMode == 0 && IsValid(cell) && !(m_virtualMode && !m_titleTips)) {
    if (CCellBaseOrg* target = GetCell(cell.row, cell.col)) target->OnMouseOver();
    if (m_titleTips) ShowTitleTip(cell);
  }
  m_lastMousePoint = point;
}

void CCellGridOrg::OnLButtonDblClk(UINT flags, CPoint point) {
  const CCellAddrOrg cell = GetCellAtPoint(point, TRUE);
  if (!IsValid(cell)) return;
  if (m_mouseMode == 8) {
    AutoSizeColumn(ColumnLeftOfBorder(point, cell), UINT(m_autoSizeStyle), TRUE);
    Invalidate();
  } else if (m_mouseMode == 6) {
    AutoSizeRow(RowAboveBorder(point, cell), TRUE);
    Invalidate();
  } else if (m_mouseMode == 0) {
    CCellBaseOrg* target = GetCell(cell.row, cell.col);
    CRect rect;
    if (target && GetCellRect(cell.row, cell.col, rect)) {
      const CPoint relative(point.x - rect.left, point.y - rect.top);
      if (cell.row >= m_fixedRows && cell.col >= m_fixedCols && IsValid(m_buttonDownCell))
        BeginCellEdit(cell.row, cell.col, relative, VK_LBUTTON);
      target->OnDoubleClick(relative);
    }
    SendNotification(cell.row, cell.col, GRIDN_DBLCLK);
  }
  CWnd::OnLButtonDblClk(flags, point);
}

void CCellGridOrg::OnRButtonUp(UINT, CPoint point) {
  Default();
  StopEditing();
  const CCellAddrOrg cell = GetCellAtPoint(point, TRUE);
  if (!IsValid(cell)) {
    SendNotification(-1, -1, GRIDN_RCLICK);
    return;
  }
  SetFocusCell(cell.row, cell.col);
  CRect rect;
  if (CCellBaseOrg* target = GetCell(cell.row, cell.col); target && GetCellRect(cell.row, cell.col, rect))
    target->OnRightButtonUp(CPoint(point.x - rect.left, point.y - rect.top));
  SendNotification(cell.row, cell.col, GRIDN_RCLICK);
}

void CCellGridOrg::OnTimer(UINT_PTR id) {
  if (id != kSelectionTimer) return;
  CPoint point;
  if (!GetCursorPos(&point)) return;
  ScreenToClient(&point);
  const CRect client = GetGridClientRect();
  const int fixedHeight = GetFixedRowsHeight();
  const int fixedWidth = GetFixedColumnsWidth();
  const int x = std::clamp<int>(point.x, 0, std::max<int>(0, client.right));
  if (point.y > client.bottom) {
    SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    SelectToCell(GetCellAtPoint(CPoint(x, client.bottom), FALSE));
  } else if (point.y < fixedHeight) {
    SendMessage(WM_KEYDOWN, VK_UP, 0);
    SelectToCell(GetCellAtPoint(CPoint(x, fixedHeight + 1), FALSE));
  }
  int newX;
  if (point.x > client.right) {
    SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    newX = client.right;
  } else if (point.x < fixedWidth) {
    SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    newX = fixedWidth + 1;
  } else {
    return;
  }
  SelectToCell(GetCellAtPoint(CPoint(newX, std::clamp<int>(point.y, 0, std::max<int>(0, client.bottom))), FALSE));
}

BOOL CCellGridOrg::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
  if (hitTest != HTCLIENT) return CWnd::OnSetCursor(wnd, hitTest, message);
  switch (m_mouseMode) {
    case 6:
      ShowCursorShape(IDC_SIZENS);
      return TRUE;
    case 8:
      ShowCursorShape(IDC_SIZEWE);
      return TRUE;
    case 12:
      return TRUE;
    default:
      break;
  }
  if (!m_virtualMode) {
    CPoint point;
    const DWORD pos = GetMessagePos();
    point = CPoint(short(LOWORD(pos)), short(HIWORD(pos)));
    ScreenToClient(&point);
    const CCellAddrOrg cell = GetCellAtPoint(point, TRUE);
    if (CCellBaseOrg* target = GetCell(cell.row, cell.col)) return target->OnSetCursor();
  }
  ShowCursorShape(IDC_ARROW);
  return TRUE;
}

void CCellGridOrg::OnCaptureChanged(CWnd* wnd) {
  if (wnd == this) return;
  KillTimer(kSelectionTimer);
  if (m_mouseMode == 12) m_mouseMode = 0;
}

// ---------------------------------------------------------------- header clicks

void CCellGridOrg::HandleFixedRowClick(CCellAddrOrg cell) {
  if (!IsValid(cell)) return;
  if (m_headerSort) {
    CWaitCursorScope wait;
    const BOOL ascending = !(cell.col == m_sortColumn && m_sortAscending);
    SortByColumn(cell.col, ascending, 0);
    Invalidate();
  }
  if (m_fixedRowClickSelectsCols) {
    m_mouseMode = cell.col < m_fixedCols ? 1 : 2;
    SelectToCell(cell);
  }
}

void CCellGridOrg::HandleFixedColumnClick(CCellAddrOrg cell) {
  if (!IsValid(cell) || !m_fixedColClickSelectsRows) return;
  m_mouseMode = cell.row < m_fixedRows ? 1 : 3;
  if (m_selectionEnabled) SelectToCell(cell);
}
