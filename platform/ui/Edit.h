#pragma once
// CEdit: a single-line or (ES_MULTILINE) multi-line text field over the toolkit's editors.
// Text changes send WM_COMMAND with EN_CHANGE to the parent.

#include "platform/ui/Wnd.h"

class CEdit : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  void SetSel(int start, int end, BOOL noScroll = FALSE);
  void GetSel(int& start, int& end) const;
  void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE);
  // One tab stop every `dialogUnits` horizontal dialog units (multi-line fields).
  BOOL SetTabStops(int dialogUnits);

 protected:
  std::unique_ptr<WndWidget> CreateWidget(CWnd* parent) override;
};
