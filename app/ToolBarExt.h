#pragma once
// The main frame's tool bar: it reacts only to presses on its buttons, so that it can neither
// be dragged off nor floated; double clicks do nothing.

#include "platform/ui/ToolBar.h"

class CToolBarExt : public CToolBar {
  DECLARE_MESSAGE_MAP()

 private:
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
};
