#pragma once
// CCellEdit: the one-line editor a text cell opens over itself. It takes the cell's text and
// alignment, grows to the right while the user types, and ends on focus loss, Tab, Return,
// Escape or (when a key started the edit) a navigation key. It reports the result to its owner
// in one end-of-edit notice and then destroys itself; the object deletes itself with its window.

#include "platform/gdi/Geometry.h"
#include "platform/ui/Edit.h"

class CCellEdit : public CEdit {
  DECLARE_MESSAGE_MAP()

 public:
  // Opens the editor with the text; the first character decides the selection and whether it
  // is typed (VK_LBUTTON: opened by the mouse, so navigation keys move the caret).
  CCellEdit(CWnd* parent, const RECT& rect, DWORD style, UINT id, int row, int col, const CString& initialText,
            UINT firstChar);

  // Sends the end-of-edit notice with the edited text and closes the window; a call while
  // another editor is ending does nothing.
  void EndEdit();
  BOOL PreTranslateMessage(MSG* msg) override;
  int GetRow() const { return m_row; }
  int GetColumn() const { return m_col; }

 protected:
  void OnKeyDown(UINT ch, UINT repeat, UINT flags);
  void OnChar(UINT ch, UINT repeat, UINT flags);
  void OnKillFocus(CWnd* newWnd);
  UINT OnGetDlgCode();
  void PostNcDestroy() override;

 private:
  void SelectForFirstChar(UINT firstChar);
  // Leaves the editor for its parent with the key that ended it.
  void LeaveWith(UINT key);
  void GrowToText();

  int m_row;
  int m_col;
  CString m_initialText;
  UINT m_lastKey = 0;
  BOOL m_exitOnNavigation;
  CRect m_rect;
};
