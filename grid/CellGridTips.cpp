// Hover: the cells hear the mouse enter, move over and leave them, and a cell's sub-area shows
// its balloon tip with a title.

#include "grid/CellBase.h"
#include "grid/CellGrid.h"
#include "platform/ui/ToolTipCtrl.h"

namespace {

constexpr UINT_PTR kSubAreaToolId = 666;
constexpr int kTipAutoPopMs = 30000;
constexpr int kTipInitialMs = 500;
constexpr int kTipMaxWidth = 1200;

}  // namespace

void CCellGrid::HoverAt(CPoint point) {
  if (m_virtualMode && !m_hoverInVirtualMode) return;
  const CCellAddr cell = GetCellAtPoint(point, TRUE);
  if (cell != m_hoverCell) {
    if (CCellBase* old = GetCell(m_hoverCell.row, m_hoverCell.col)) old->OnMouseLeave();
    if (CCellBase* entered = GetCell(cell.row, cell.col)) entered->OnMouseEnter();
    m_hoverCell = cell;
  }
  CCellBase* target = GetCell(cell.row, cell.col);
  if (!target || !m_toolTip) return;
  target->OnMouseOver();
  CRect area;
  CString title, text;
  const CPoint inCell = GetPointInCell(cell.row, cell.col, point);
  if (!target->GetSubAreaAt(inCell.x, inCell.y, area, title, text)) {
    if (m_toolTip->GetToolCount() > 0) {
      HideSubAreaTip();
      m_toolTip->DelTool(this, kSubAreaToolId);
    }
    return;
  }
  CPoint origin;
  GetSpanOrigin(cell.row, cell.col, origin);
  area.OffsetRect(origin);
  if (area == m_tipRect && title == m_tipTitle && text == m_tipText) return;
  m_toolTip->SetTitle(TTI_INFO, title);
  m_toolTip->Pop();
  m_toolTip->DelTool(this, kSubAreaToolId);
  m_toolTip->SetDelayTime(TTDT_AUTOPOP, kTipAutoPopMs);
  m_toolTip->SetDelayTime(TTDT_INITIAL, kTipInitialMs);
  m_toolTip->AddTool(this, text, area, kSubAreaToolId);
  m_toolTip->SetMaxTipWidth(kTipMaxWidth);
  m_toolTip->Activate(TRUE);
  m_tipRect = area;
  m_tipTitle = title;
  m_tipText = text;
}

void CCellGrid::HideSubAreaTip() {
  if (!m_toolTip || !m_toolTip->GetSafeHwnd()) return;
  m_tipRect.SetRectEmpty();
  m_tipTitle.Empty();
  m_tipText.Empty();
  m_toolTip->Pop();
}
