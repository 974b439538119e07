#pragma once
// CListBox over the toolkit's list: strings with item data and one selection; a user's choice
// sends WM_COMMAND with LBN_SELCHANGE to the parent when the list has LBS_NOTIFY.

#include "platform/ui/Wnd.h"

constexpr int LB_ERR = -1;

class CListBox : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int AddString(LPCTSTR text);
  int InsertString(int index, LPCTSTR text);
  int DeleteString(UINT index);
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  int GetText(int index, CString& text) const;

 protected:
  std::unique_ptr<WndWidget> CreateWidget(CWnd* parent) override;
};
