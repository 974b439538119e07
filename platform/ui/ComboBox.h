#pragma once
// CComboBox over the toolkit's combo box: a list of strings with item data and one
// selection; choosing an entry sends WM_COMMAND with CBN_SELCHANGE to the parent (setting
// the selection from code does not).

#include "platform/ui/Wnd.h"

constexpr int CB_ERR = -1;

class CComboBox : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int AddString(LPCTSTR text);
  int InsertString(int index, LPCTSTR text);
  int DeleteString(UINT index);
  void ResetContent();
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  int GetLBText(int index, CString& text) const;
  int GetLBTextLen(int index) const;
  int FindStringExact(int startAfter, LPCTSTR text) const;
  int SelectString(int startAfter, LPCTSTR text);
  int SetItemData(int index, DWORD_PTR data);
  DWORD_PTR GetItemData(int index) const;

 protected:
  std::unique_ptr<WndWidget> CreateWidget(CWnd* parent) override;
};
