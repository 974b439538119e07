#pragma once
// A filled grid whose cells are edited in place, with the means to reach the open editor and to
// type into whatever window has the keyboard focus.

#include <algorithm>

#include "grid/CellEdit.h"
#include "tests/grid/GridFixture.h"

class EditableGrid : public GridOnScreen {
 protected:
  void SetUp() override {
    Make(8, 5, 1, 1, 500, 300);
    for (int r = 0; r < grid->GetRowCount(); ++r)
      for (int c = 0; c < grid->GetColumnCount(); ++c) {
        CString text;
        text.Format(u"r%dc%d", r, c);
        grid->SetCellText(r, c, text);
      }
    grid->SetFocus();
    PumpMessages();
    host.notices.clear();
  }
  CCellEdit* EditorOf(int row, int col) const {
    CCellBase* cell = grid->GetCell(row, col);
    return cell ? dynamic_cast<CCellEdit*>(cell->GetEditor()) : nullptr;
  }
  std::pair<int, int> SelectionOf(CCellEdit* editor) const {
    DWORD start = 0, end = 0;
    editor->SendMessage(EM_GETSEL, WPARAM(&start), LPARAM(&end));
    return {int(start), int(end)};
  }
  CWnd* Focus() const {
    CWnd* focus = CWnd::GetFocus();
    return focus ? focus : grid.get();
  }
  // A key press and release at the window with the focus, typing its text.
  void Press(UINT key, const CString& text = CString(), UINT modifiers = 0) {
    SimulateKey(Focus(), key, true, text, modifiers);
    PumpMessages();
    SimulateKey(Focus(), key, false, text, modifiers);
    PumpMessages();
  }
  void Type(const CString& text) {
    for (int i = 0; i < text.GetLength(); ++i) {
      const char16_t ch = text[i];
      Press(ch >= 'a' && ch <= 'z' ? UINT(ch - 'a' + 'A') : UINT(ch), CString(ch, 1));
    }
  }
  int Count(int code) const {
    return int(std::count_if(host.notices.begin(), host.notices.end(),
                             [code](const SNotice& n) { return n.code == code; }));
  }
};
