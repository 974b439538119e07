#include "app/ToolBarExt.h"

// clang-format off
BEGIN_MESSAGE_MAP(CToolBarExt, CToolBar)
  .OnLButtonDown(&CToolBarExt::OnLButtonDown)
  .OnLButtonDblClk(&CToolBarExt::OnLButtonDblClk)
END_MESSAGE_MAP()
// clang-format on

void CToolBarExt::OnLButtonDown(UINT flags, CPoint point) {
  for (int i = 0; i < GetCount(); ++i) {
    CRect rect;
    GetItemRect(i, rect);
    if (!rect.PtInRect(point)) continue;
    if (!(GetButtonStyle(i) & TBBS_SEPARATOR)) CToolBar::OnLButtonDown(flags, point);
    return;
  }
}

void CToolBarExt::OnLButtonDblClk(UINT, CPoint) {}
