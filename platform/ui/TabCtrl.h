#pragma once
// CTabCtrl: a row of tabs over an empty page, over the toolkit's tab widget. Choosing another tab
// selects it and then sends WM_NOTIFY with TCN_SELCHANGE to the parent (setting the selection
// from code does not).

#include "platform/ui/Wnd.h"

constexpr int TCN_SELCHANGE = -551;

// TCM_SETITEM: wParam the tab's index, lParam a TCITEM; only the fields of its mask are set.
constexpr UINT TCM_SETITEM = 0x1300 + 61;
constexpr UINT TCIF_TEXT = 0x0001;

struct TCITEM {
  UINT mask = 0;
  DWORD dwState = 0;
  DWORD dwStateMask = 0;
  LPTSTR pszText = nullptr;
  int cchTextMax = 0;
  int iImage = -1;
  LPARAM lParam = 0;
};

class CTabCtrl : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  // Returns the index of the new tab, -1 on failure.
  int InsertItem(int index, LPCTSTR text);
  BOOL SetItemText(int index, LPCTSTR text);
  BOOL DeleteItem(int index);
  CString GetItemText(int index) const;
  int GetItemCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  // The tab's rectangle in the control's client coordinates.
  BOOL GetItemRect(int index, LPRECT rect) const;

 protected:
  std::unique_ptr<WndWidget> CreateWidget(CWnd* parent) override;

 private:
  LRESULT OnSetItem(WPARAM index, LPARAM item);
};
