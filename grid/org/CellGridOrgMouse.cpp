// The mouse: presses, moves, releases and double clicks, sizing rows and columns by their
// borders, the auto-scroll timer while selecting, cursors, header clicks, title tips and the
// right button.

#include <algorithm>

#include "grid/GridMouse.h"
#include "grid/org/CellBaseOrg.h"
#include "grid/org/CellGridOrg.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/WaitCursor.h"

namespace {

bool ControlHeld(UINT flags) { return (flags & MK_CONTROL) != 0; }
bool ShiftHeld(UINT flags) { return (flags & MK_SHIFT) != 0; }

// Whether `at` lies within the range after the leading edge `start` (the first column or row
// has no border there) or at most the range before the trailing edge.
bool IsWithinBorderRange(int at, int start, int size, bool first, int range) {
  return (at - start < range && !first) || start + size - at <= range;
}

}  // namespace

void CCellGridOrg::SendCommandToOwner() {
  CWnd* target = GetOwner();
  if (target && target->GetSafeHwnd())
    target->PostMessage(WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID()), 0), LPARAM(GetSafeHwnd()));
}

bool CCellGridOrg::PressOnBorder(CPoint point, const CCellAddrOrg& cell) {
  CPoint origin;
  if (!GetCellOrigin(cell.row, cell.col, origin)) return false;
  const bool overColumn =
      point.y < GetFixedRowsHeight() && m_allowColumnResize &&
      IsWithinBorderRange(point.x, origin.x, m_colWidths.Get(cell.col), cell.col == 0, m_resizeCaptureRange);
  const bool overRow =
      !overColumn && point.x < GetFixedColumnsWidth() && m_allowRowResize &&
      IsWithinBorderRange(point.y, origin.y, m_rowHeights.Get(cell.row), cell.row == 0, m_resizeCaptureRange);
  if (!overColumn && !overRow) return false;
  ShowCursorShape(overColumn ? IDC_SIZEWE : IDC_SIZENS);
  m_mouseMode = overColumn ? kMouseOverColumnBorder : kMouseOverRowBorder;
  return true;
}

int CCellGridOrg::IndexBeforeBorderAt(CPoint point, const CCellAddrOrg& cell, bool columns) {
  CPoint origin;
  const bool nearLeadingEdge = GetCellOrigin(cell.row, cell.col, origin) &&
                               (columns ? point.x - origin.x : point.y - origin.y) < m_resizeCaptureRange;
  return columns ? IndexBeforeBorder(m_colWidths, cell.col, nearLeadingEdge)
                 : IndexBeforeBorder(m_rowHeights, cell.row, nearLeadingEdge);
}

void CCellGridOrg::DrawResizeLine(CPoint point) {
  const bool column = m_mouseMode == kMouseSizingColumn;
  InvertSizingLine(*this, GetGridClientRect(), column ? point.x : point.y, column);
}

void CCellGridOrg::MoveResizeLine(CPoint point) {
  if (m_resizeLineShown) DrawResizeLine(m_lastMousePoint);
  DrawResizeLine(point);
  m_resizeLineShown = true;
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
      m_mouseMode = kMouseDragPending;
      m_draggedColumn = cell.col;
    }
  } else if (cell.col < m_fixedCols) {
    HandleFixedColumnClick(cell);
  } else {
    m_selectionTimer = StartSelecting(*this, m_mouseMode, m_listMode ? kMouseSelectRows : kMouseSelectCells,
                                      cell, m_selectionTimerInterval);
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
    m_mouseMode = kMouseEditOnRelease;
    return;
  }
  if (IsCellSelected(cell.row, cell.col) && cell.row >= m_fixedRows && cell.col >= m_fixedCols) {
    if (ControlHeld(flags)) {
      PressOnSelectedWithControl(flags);
      return;
    }
    SetFocusCell(cell.row, cell.col);
    if (m_dragAndDrop) m_mouseMode = kMouseDragPending;
  } else if (m_mouseMode != kMouseOverRowBorder && m_mouseMode != kMouseOverColumnBorder) {
    if (cell.row < m_fixedRows || cell.col < m_fixedCols)
      SetFocusCell(-1, -1);
    else
      SetFocusCell(cell.row, cell.col);
  }
  SetCapture();
  if (m_mouseMode == kMouseIdle) PressOnBorder(point, cell);
  if (m_mouseMode == kMouseOverColumnBorder || m_mouseMode == kMouseOverRowBorder) {
    m_mouseMode = m_mouseMode == kMouseOverColumnBorder ? kMouseSizingColumn : kMouseSizingRow;
    DrawResizeLine(point);
    m_resizeLineShown = true;
  } else if (m_mouseMode != kMouseDragPending) {
    StartSelectionAt(flags, cell);
  }
  m_lastMousePoint = point;
}

void CCellGridOrg::FinishSizing(CPoint point) {
  if (m_resizeLineShown) DrawResizeLine(m_lastMousePoint);
  m_resizeLineShown = false;
  if (point == m_buttonDownPoint || point == CPoint(0, 0)) return;
  CPoint origin;
  if (m_mouseMode == kMouseSizingColumn) {
    const int col = IndexBeforeBorderAt(m_buttonDownPoint, m_buttonDownCell, true);
    if (!GetCellOrigin(std::min(m_buttonDownCell.row, m_rows - 1), col, origin)) return;
    SetColumnWidth(col, std::max(int(point.x - origin.x), m_allowHidingColumns ? 0 : 1));
  } else {
    const int row = IndexBeforeBorderAt(m_buttonDownPoint, m_buttonDownCell, false);
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
    KillTimer(kSelectionTimerId);
  }
  const CCellAddrOrg focus = m_focusCell;
  CPoint origin;
  const CPoint relative =
      GetCellOrigin(focus.row, focus.col, origin) ? CPoint(point.x - origin.x, point.y - origin.y) : CPoint(0, 0);
  CCellBaseOrg* focusCell = GetCell(focus.row, focus.col);
  // Here the click handler comes between -101 and -2.
  if (!FinishPressByMode(*this, m_mouseMode, focus, focusCell, relative, m_buttonDownCell,
                         [this, point] { FinishSizing(point); })) {
    SendNotification(focus.row, focus.col, GRIDN_SELCHANGED);
    if (focusCell) focusCell->OnClick(relative);
    SendNotification(m_buttonDownCell.row, m_buttonDownCell.col, GRIDN_CLICK);
  }
  m_mouseMode = kMouseIdle;
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
  if (m_mouseMode != kMouseDragging && !client.PtInRect(point)) return;
  if (m_leftButtonDown && m_mouseMode != kMouseIdle) {
    if (!IsValid(m_buttonDownCell)) return;
    const auto moveLine = [this, point] { MoveResizeLine(point); };
    const auto beginDrag = [this] { OnBeginDrag(); };
    if (MoveWithButtonHeld(*this, m_mouseMode, point, moveLine, beginDrag)) m_lastMousePoint = point;
    return;
  }
  const CCellAddrOrg cell = GetCellAtPoint(point, TRUE);
  const EGridMouseMode before = m_mouseMode;
  if (!IsValid(cell) || !PressOnBorder(point, cell)) {
    if (m_mouseMode != kMouseIdle) ShowCursorShape(IDC_ARROW);
    m_mouseMode = kMouseIdle;
  }
  if (before == kMouseIdle && m_mouseMode == kMouseIdle && IsValid(cell) &&
      !(m_virtualMode && !m_titleTips)) {
    if (CCellBaseOrg* target = GetCell(cell.row, cell.col)) target->OnMouseOver();
    if (m_titleTips) ShowTitleTip(cell);
  }
  m_lastMousePoint = point;
}

void CCellGridOrg::OnLButtonDblClk(UINT flags, CPoint point) {
  const CCellAddrOrg cell = GetCellAtPoint(point, TRUE);
  if (!IsValid(cell)) return;
  if (m_mouseMode == kMouseOverColumnBorder) {
    AutoSizeColumn(IndexBeforeBorderAt(point, cell, true), UINT(m_autoSizeStyle), TRUE);
    Invalidate();
  } else if (m_mouseMode == kMouseOverRowBorder) {
    AutoSizeRow(IndexBeforeBorderAt(point, cell, false), TRUE);
    Invalidate();
  } else if (m_mouseMode == kMouseIdle) {
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
  if (id != kSelectionTimerId) return;
  ScrollSelectionAtEdges(*this, GetGridClientRect(), CSize(GetFixedColumnsWidth(), GetFixedRowsHeight()),
                         [this](CPoint point) { SelectToCell(GetCellAtPoint(point, FALSE)); });
}

BOOL CCellGridOrg::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
  if (hitTest != HTCLIENT) return CWnd::OnSetCursor(wnd, hitTest, message);
  return ShowGridCursor(*this, m_mouseMode);
}

void CCellGridOrg::OnCaptureChanged(CWnd* wnd) {
  if (wnd != this) EndMouseCapture(*this, m_mouseMode);
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
    m_mouseMode = cell.col < m_fixedCols ? kMouseSelectAll : kMouseSelectColumns;
    SelectToCell(cell);
  }
}

void CCellGridOrg::HandleFixedColumnClick(CCellAddrOrg cell) {
  if (!IsValid(cell) || !m_fixedColClickSelectsRows) return;
  m_mouseMode = cell.row < m_fixedRows ? kMouseSelectAll : kMouseSelectRows;
  if (m_selectionEnabled) SelectToCell(cell);
}
