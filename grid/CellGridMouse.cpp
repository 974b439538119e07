// The mouse: presses, moves, releases and double clicks, the right button, cursors, the
// selection timer that scrolls while the pointer is held outside the cells, and the capture.

#include <algorithm>

#include "grid/CellBase.h"
#include "grid/CellGrid.h"
#include "grid/GridMouse.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/ToolTipCtrl.h"

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
  if (CCellBase* target = GetCell(cell.row, cell.col))
    target->OnLeftButtonDown(GetPointInCell(cell.row, cell.col, point));
  if (cell == m_focusCell && !control && IsCellEditable(cell) && IsOnCellText(cell, point)) {
    m_mouseMode = kMouseEditOnRelease;
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
    if (m_dragAndDrop) m_mouseMode = kMouseDragPending;
  } else if (m_mouseMode != kMouseOverRowBorder && m_mouseMode != kMouseOverColumnBorder) {
    if (IsFixedCell(cell))
      SetFocusCell(-1, -1);
    else
      SetFocusCell(cell);
  }
  SetCapture();
  if (m_mouseMode == kMouseIdle) ShowBorderMode(BorderModeAt(point));
  if (m_mouseMode == kMouseOverColumnBorder) {
    StartSizing(point, true);
  } else if (m_mouseMode == kMouseOverRowBorder) {
    StartSizing(point, false);
  } else if (m_mouseMode != kMouseDragPending) {
    SendNotification(cell.row, cell.col, GRIDN_SELCHANGING);
    m_additiveSelection = control ? 1 : 0;
    if (cell.row < m_fixedRows) {
      HandleFixedRowClick(cell);
    } else if (cell.col < m_fixedCols) {
      HandleFixedColumnClick(cell);
    } else {
      m_selectionTimer =
          StartSelecting(*this, m_mouseMode, m_wholeRowSelection ? kMouseSelectRows : kMouseSelectCells, cell,
                         m_selectionTimerInterval);
    }
  }
  m_lastMousePoint = point;
}

void CCellGrid::OnMouseMove(UINT, CPoint point) {
  if (!GetGridClientRect().PtInRect(point) && m_mouseMode != kMouseDragging) return;
  if (m_leftButtonDown && m_mouseMode != kMouseIdle && IsValid(m_buttonDownCell)) {
    const auto moveLine = [this, point] { MoveSizingLine(point); };
    const auto beginDrag = [this] {
      if (m_dragAndDrop) OnBeginDrag();
    };
    if (!MoveWithButtonHeld(*this, m_mouseMode, point, moveLine, beginDrag)) return;
  } else {
    ShowBorderMode(BorderModeAt(point));
    if (m_mouseMode == kMouseOverRowBorder || m_mouseMode == kMouseOverColumnBorder) return;
    if (m_mouseMode == kMouseIdle) HoverAt(point);
  }
  m_lastMousePoint = point;
}

EGridMouseMode CCellGrid::BorderModeAt(CPoint point) {
  if (m_allowColumnResize && IsOverColumnBorder(point)) return kMouseOverColumnBorder;
  if (m_allowRowResize && IsOverRowBorder(point)) return kMouseOverRowBorder;
  return kMouseIdle;
}

void CCellGrid::ShowBorderMode(EGridMouseMode mode) {
  if (mode == m_mouseMode) return;
  const LPCWSTR shape = mode == kMouseOverColumnBorder ? IDC_SIZEWE : IDC_SIZENS;
  ShowCursorShape(mode == kMouseIdle ? IDC_ARROW : shape);
  m_mouseMode = mode;
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
  m_mouseMode = kMouseIdle;
  ShowCursorShape(IDC_ARROW);
  if (IsValid(m_buttonDownCell) && GetOwner())
    GetOwner()->PostMessage(WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID()), 0), LPARAM(this));
}

void CCellGrid::FinishPress(CPoint point) {
  const CCellAddr focus = m_focusCell;
  const CPoint inFocus = GetPointInCell(focus.row, focus.col, point);
  CCellBase* focusCell = GetCell(focus.row, focus.col);
  if (FinishPressByMode(*this, m_mouseMode, focus, focusCell, inFocus, m_buttonDownCell,
                        [this, point] { FinishSizing(point); }))
    return;
  if (focusCell) focusCell->OnClick(inFocus);
  SendNotification(focus.row, focus.col, GRIDN_SELCHANGED);
  SendNotification(m_buttonDownCell.row, m_buttonDownCell.col, GRIDN_CLICK);
}

void CCellGrid::OnLButtonDblClk(UINT flags, CPoint point) {
  const CCellAddr cell = GetCellAtPoint(point, TRUE);
  if (!IsValid(cell)) return;
  if (m_mouseMode == kMouseOverColumnBorder || m_mouseMode == kMouseOverRowBorder) {
    AutoSizeAtBorder(cell, point);
  } else if (m_mouseMode == kMouseIdle) {
    const CPoint inCell = GetPointInCell(cell.row, cell.col, point);
    const bool editsHere = IsOnCellText(cell, point) ? IsValid(m_buttonDownCell) : m_wholeRowSelection;
    if (editsHere && !IsFixedCell(cell)) BeginCellEdit(cell.row, cell.col, inCell, VK_LBUTTON);
    if (CCellBase* target = GetCell(cell.row, cell.col)) target->OnDoubleClick(inCell);
    SendNotification(cell.row, cell.col, GRIDN_DBLCLK);
  }
  CWnd::OnLButtonDblClk(flags, point);
}

void CCellGrid::RightButtonAt(CPoint point, bool down) {
  const CCellAddr cell = GetCellAtPoint(point, TRUE);
  if (!IsValid(cell)) {
    SendNotification(-1, -1, GRIDN_RCLICK);
    return;
  }
  SetFocusCell(-1, -1);
  SetFocusCell(std::max(cell.row, m_fixedRows), std::max(cell.col, m_fixedCols));
  if (CCellBase* target = GetCell(cell.row, cell.col)) {
    const CPoint inCell = GetPointInCell(cell.row, cell.col, point);
    if (down)
      target->OnRightButtonDown(inCell);
    else
      target->OnRightButtonUp(inCell);
  }
  SendNotification(cell.row, cell.col, GRIDN_RCLICK);
}

void CCellGrid::OnRButtonDown(UINT flags, CPoint point) {
  CWnd::OnRButtonDown(flags, point);
  m_rightButtonDown = TRUE;
  RightButtonAt(point, true);
}

void CCellGrid::OnRButtonUp(UINT flags, CPoint point) {
  CWnd::OnRButtonUp(flags, point);
  m_rightButtonDown = FALSE;
  StopEditing();
  RightButtonAt(point, false);
}

void CCellGrid::OnTimer(UINT_PTR id) {
  if (id != kSelectionTimerId) return;
  ScrollSelectionAtEdges(*this, GetGridClientRect(), CSize(GetFixedColumnsWidth(), GetFixedRowsHeight()),
                         [this](CPoint point) { SelectToCell(GetCellAtPoint(point)); });
}

BOOL CCellGrid::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
  if (hitTest != HTCLIENT) return CWnd::OnSetCursor(wnd, hitTest, message);
  return ShowGridCursor(*this, m_mouseMode);
}

void CCellGrid::OnCaptureChanged(CWnd* wnd) {
  if (wnd == this) return;
  m_selectionTimer = 0;
  EndMouseCapture(*this, m_mouseMode);
}
