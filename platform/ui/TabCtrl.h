#pragma once
// CTabCtrl: a row of tabs over an empty page, over the toolkit's tab widget. Choosing a tab sends WM_NOTIFY
// with TCN_SELCHANGE to the parent (setting the selection from code does not).

#include "platform/ui/Wnd.h"

constexpr int TCN_SELCHANGE = -551;

class CTabCtrl : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  // Returns the index of the new tab, -1 on failure.
  int InsertItem(int index, LPCTSTR text);
  BOOL SetItemText(int index, LPCTSTR text);
  CString GetItemText(int index) const;
  int GetItemCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);

 protected:
  std::unique_ptr<WndWidget> CreateWidget(CWnd* parent) override;
};
