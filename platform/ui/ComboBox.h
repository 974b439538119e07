#pragma once
// CComboBox over the toolkit's combo box: a list of strings with item data and one
// selection; choosing an entry sends WM_COMMAND with CBN_SELCHANGE to the parent (setting
// the selection from code does not).
//
// A drop-down box keeps the platform's geometry: the height it is created or moved with is the
// height of the box with its list dropped down, while the window itself stays one line of its
// font high (its selection field plus the border), which is what GetWindowRect reports.

#include "platform/ui/Wnd.h"

constexpr int CB_ERR = -1;
constexpr UINT CB_SETITEMHEIGHT = 0x0153;
constexpr UINT CB_GETITEMHEIGHT = 0x0154;

class CComboBox : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int AddString(LPCTSTR text);
  int DeleteString(UINT index);
  void ResetContent();
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  int GetLBText(int index, CString& text) const;
  int FindStringExact(int startAfter, LPCTSTR text) const;
  int SetItemData(int index, DWORD_PTR data);
  DWORD_PTR GetItemData(int index) const;
  // Index -1 is the selection field (the closed box is 6 pixels higher), any other index the
  // entries of the list. Until set, both are one line of the box's font and a little space.
  int GetItemHeight(int index) const;
  int SetItemHeight(int index, UINT height);
  // The rectangle of the box with its list dropped down, in screen coordinates.
  void GetDroppedControlRect(LPRECT rect) const;

  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  std::unique_ptr<WndWidget> CreateWidget(CWnd* parent) override;
};
