// The mouse: presses, moves, releases and double clicks, the right button, cursors, the
// selection timer that scrolls while the pointer is held outside the cells, and the capture.

#include <algorithm>

#include "grid/CellBase.h"
#include "grid/CellGrid.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/ToolTipCtrl.h"

namespace {

constexpr UINT_PTR kSelectionTimerId = 513;

}  // namespace

bool CCellGrid::IsCellEditable(const CCellAddr& cell) const {
  return m_editable && IsValid(cell) && !(GetCellState(cell.row, cell.col) & GCS_READONLY);
}

bool CCellGrid::IsOnCellText(const CCellAddr& cell, CPoint point) {
  CCellBase* target = GetCell(cell.row, cell.col);
  CRect rect;
  if (!target || !GetCellRect(cell.row, cell.col, rect)) return false;
  target->AdjustTextRect(rect);
  return rect.PtInRect(point);
}

BOOL CCellGrid::PreTranslateMessage(MSG* msg) {
  if (m_toolTip && m_toolTip->GetSafeHwnd()) m_toolTip->RelayEvent(msg);
  return CWnd::PreTranslateMessage(msg);
}

void CCellGrid::OnLButtonDown(UINT flags, CPoint point) {
  SetFocus();
  m_buttonDownPoint = point;
  m_leftButtonDown = TRUE;
  m_buttonDownCell = GetCellAtPoint(point, TRUE);
  if (!IsValid(m_buttonDownCell)) return;
  const CCellAddr cell = m_buttonDownCell;
  const bool control = (flags & MK_CONTROL) != 0;
  if (!(flags & MK_SHIFT))
    m_selectionAnchor = cell;
  else if (!IsValid(m_selectionAnchor))
    m_selectionAnchor = m_focusCell;
  StopEditing();
  if (CCellBase* target = GetCell(cell.row, cell.col)) target->OnLeftButtonDown(GetPointInCell(cell.row, cell.col, point));
  if (cell == m_focusCell && !control && IsCellEditable(cell) && IsOnCellText(cell, point)) {
    m_mouseMode = 10;
    return;
  }
  if (m_selectionEnabled && IsCellSelected(cell.row, cell.col)) {
    SetFocusCell(cell);
    if (control) {
      if (m_wholeRowSelection)
        SelectRows(cell, TRUE, FALSE, FALSE);
      else
        SelectCells(cell, TRUE, FALSE);
      return;
    }
    if (m_dragAndDrop) m_mouseMode = 11;
  } else if (m_mouseMode != 6 && m_mouseMode != 8) {
    if (IsFixedCell(cell))
      SetFocusCell(-1, -1);
    else
      SetFocusCell(cell);
  }
  SetCapture();
  if (m_mouseMode == 0) {
    if (m_allowColumnResize && IsOverColumnBorder(point)) {
      SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
      m_mouseMode = 8;
    } else if (m_allowRowResize && IsOverRowBorder(point)) {
      SetCursor(LoadCursor(nullptr, IDC_SIZENS));
      m_mouseMode = 6;
    }
  }
  if (m_mouseMode == 8) {
    StartColumnSizing(point);
  } else if (m_mouseMode == 6) {
    StartRowSizing(point);
  } else if (m_mouseMode != 11) {
    SendNotification(cell.row, cell.col, GRIDN_SELCHANGING);
    m_additiveSelection = control ? 1 : 0;
    if (cell.row < m_fixedRows) {
      HandleFixedRowClick(cell);
    } else if (cell.col < m_fixedCols) {
      HandleFixedColumnClick(cell);
    } else {
      m_mouseMode = m_wholeRowSelection ? 3 : 4;
      SelectToCell(cell);
      m_selectionTimer = SetTimer(kSelectionTimerId, UINT(m_selectionTimerInterval));
    }
  }
  m_lastMousePoint = point;
}

void CCellGrid::OnMouseMove(UINT, CPoint point) {
  if (!GetGridClientRect().PtInRect(point) && m_mouseMode != 12) return;
  if (m_leftButtonDown && m_mouseMode != 0 && IsValid(m_buttonDownCell)) {
    switch (m_mouseMode) {
      case 2:
      case 3:
      case 4: {
        const CCellAddr cell = GetCellAtPoint(point, TRUE);
        if (!IsValid(cell)) return;
        if (CCellBase* target = GetCell(cell.row, cell.col)) target->OnMouseOver();
        if (cell != m_focusCell) {
          SelectToCell(cell);
          if (!IsFixedCell(cell) || m_mouseMode == 2 || m_mouseMode == 3) SetFocusCell(cell);
        }
        break;
      }
      case 7:
        InvertSizingLine(m_lastMousePoint.y, false);
        InvertSizingLine(point.y, false);
        break;
      case 9:
        InvertSizingLine(m_lastMousePoint.x, true);
        InvertSizingLine(point.x, true);
        break;
      case 10:
      case 11:
        // Any move starts the drag: the press on a selection was meant to carry it.
        m_mouseMode = 11;
        if (m_dragAndDrop) OnBeginDrag();
        break;
      default:
        break;
    }
  } else {
    if (m_allowColumnResize && IsOverColumnBorder(point)) {
      if (m_mouseMode != 8) {
        SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
        m_mouseMode = 8;
      }
    } else if (m_allowRowResize && IsOverRowBorder(point)) {
      if (m_mouseMode != 6) {
        SetCursor(LoadCursor(nullptr, IDC_SIZENS));
        m_mouseMode = 6;
      }
    } else if (m_mouseMode != 0) {
      SetCursor(LoadCursor(nullptr, IDC_ARROW));
      m_mouseMode = 0;
    }
    if (m_mouseMode == 6 || m_mouseMode == 8) return;
    if (m_mouseMode == 0) HoverAt(point);
  }
  m_lastMousePoint = point;
}

void CCellGrid::OnLButtonUp(UINT flags, CPoint point) {
  CWnd::OnLButtonUp(flags, point);
  m_leftButtonDown = FALSE;
  ClipCursor(nullptr);
  if (GetCapture() == this) {
    ReleaseCapture();
    KillTimer(kSelectionTimerId);
    m_selectionTimer = 0;
  }
  FinishPress(point);
  m_mouseMode = 0;
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  if (IsValid(m_buttonDownCell) && GetOwner())
    GetOwner()->PostMessage(WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID()), 0), LPARAM(this));
}

void CCellGrid::FinishPress(CPoint point) {
  const CCellAddr focus = m_focusCell;
  const CPoint inFocus = GetPointInCell(focus.row, focus.col, point);
  CCellBase* focusCell = GetCell(focus.row, focus.col);
  switch (m_mouseMode) {
    case 10:
      BeginCellEdit(focus.row, focus.col, inFocus, VK_LBUTTON);
      break;
    case 11:
      if (focusCell) focusCell->OnClick(inFocus);
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
      if (focusCell) focusCell->OnClick(inFocus);
      SendNotification(focus.row, focus.col, GRIDN_SELCHANGED);
      SendNotification(m_buttonDownCell.row, m_buttonDownCell.col, GRIDN_CLICK);
      break;
  }
}

void CCellGrid::OnLButtonDblClk(UINT flags, CPoint point) {
  const CCellAddr cell = GetCellAtPoint(point, TRUE);
  if (!IsValid(cell)) return;
  if (m_mouseMode == 8 || m_mouseMode == 6) {
    AutoSizeAtBorder(cell, point);
  } else if (m_mouseMode == 0) {
    const CPoint inCell = GetPointInCell(cell.row, cell.col, point);
    const bool editsHere = IsOnCellText(cell, point) ? IsValid(m_buttonDownCell) : m_wholeRowSelection;
    if (editsHere && !IsFixedCell(cell)) BeginCellEdit(cell.row, cell.col, inCell, VK_LBUTTON);
    if (CCellBase* target = GetCell(cell.row, cell.col)) target->OnDoubleClick(inCell);
    SendNotification(cell.row, cell.col, GRIDN_DBLCLK);
  }
  CWnd::OnLButtonDblClk(flags, point);
}

void CCellGrid::OnRButtonDown(UINT flags, CPoint point) {
  CWnd::OnRButtonDown(flags, point);
  m_rightButtonDown = TRUE;
  const CCellAddr cell = GetCellAtPoint(point, TRUE);
  if (!IsValid(cell)) {
    SendNotification(-1, -1, GRIDN_RCLICK);
    return;
  }
  SetFocusCell(-1, -1);
  SetFocusCell(std::max(cell.row, m_fixedRows), std::max(cell.col, m_fixedCols));
  if (CCellBase* target = GetCell(cell.row, cell.col))
    target->OnRightButtonDown(GetPointInCell(cell.row, cell.col, point));
  SendNotification(cell.row, cell.col, GRIDN_RCLICK);
}

void CCellGrid::OnRButtonUp(UINT flags, CPoint point) {
  CWnd::OnRButtonUp(flags, point);
  m_rightButtonDown = FALSE;
  StopEditing();
  const CCellAddr cell = GetCellAtPoint(point, TRUE);
  if (!IsValid(cell)) {
    SendNotification(-1, -1, GRIDN_RCLICK);
    return;
  }
  SetFocusCell(-1, -1);
  SetFocusCell(std::max(cell.row, m_fixedRows), std::max(cell.col, m_fixedCols));
  if (CCellBase* target = GetCell(cell.row, cell.col))
    target->OnRightButtonUp(GetPointInCell(cell.row, cell.col, point));
  SendNotification(cell.row, cell.col, GRIDN_RCLICK);
}

void CCellGrid::OnTimer(UINT_PTR id) {
  if (id != kSelectionTimerId) return;
  CPoint point;
  GetCursorPos(&point);
  ScreenToClient(&point);
  const CRect client = GetGridClientRect();
  const int fixedHeight = GetFixedRowsHeight();
  const int fixedWidth = GetFixedColumnsWidth();
  int x = std::clamp<int>(point.x, 0, client.right);
  if (point.y > client.bottom) {
    SendMessage(WM_KEYDOWN, VK_DOWN);
    SelectToCell(GetCellAtPoint(CPoint(x, client.bottom)));
  } else if (point.y < fixedHeight) {
    SendMessage(WM_KEYDOWN, VK_UP);
    SelectToCell(GetCellAtPoint(CPoint(x, fixedHeight + 1)));
  }
  if (point.x > client.right) {
    SendMessage(WM_KEYDOWN, VK_RIGHT);
    x = client.right;
  } else if (point.x < fixedWidth) {
    SendMessage(WM_KEYDOWN, VK_LEFT);
    x = fixedWidth + 1;
  } else {
    return;
  }
  SelectToCell(GetCellAtPoint(CPoint(x, std::clamp<int>(point.y, 0, client.bottom))));
}

BOOL CCellGrid::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
  if (hitTest != HTCLIENT) return CWnd::OnSetCursor(wnd, hitTest, message);
  switch (m_mouseMode) {
    case 6:
      SetCursor(LoadCursor(nullptr, IDC_SIZENS));
      return TRUE;
    case 8:
      SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
      return TRUE;
    case 12:
      return TRUE;
    default:
      break;
  }
  if (!m_virtualMode) {
    const DWORD position = GetMessagePos();
    CPoint point(GET_X_LPARAM(position), GET_Y_LPARAM(position));
    ScreenToClient(&point);
    const CCellAddr cell = GetCellAtPoint(point, TRUE);
    if (CCellBase* target = GetCell(cell.row, cell.col)) return target->OnSetCursor();
  }
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  return TRUE;
}

void CCellGrid::OnCaptureChanged(CWnd* wnd) {
  if (wnd == this) return;
  KillTimer(kSelectionTimerId);
  m_selectionTimer = 0;
  if (m_mouseMode == 12) m_mouseMode = 0;
}
