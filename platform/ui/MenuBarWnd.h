#pragma once
// The frame's menu bar, drawn as a strip of the menu's top-level entries along the frame's
// top edge. Pressing an entry opens its popup below it (the frame first gets WM_INITMENUPOPUP
// so that it can update the entries); a chosen command goes to the frame as WM_COMMAND.
//
// The keyboard reaches it as on the platform: Alt or F10 alone selects the bar (its first
// entry highlighted, the keys going to the bar until it is left), Alt with a mnemonic opens
// that entry's popup with its first item selected. While the bar is selected, Left and Right
// move along it, Down, Up, Return or a mnemonic open the entry, Escape, Alt, F10 or a click
// leave it. Left and Right in an open popup move to the neighbouring entry's popup; Escape
// in it goes back to the selected bar.

#include <memory>
#include <vector>

#include "platform/ui/Menu.h"
#include "platform/ui/Wnd.h"

class CMenuBarKeys;

class CMenuBarWnd : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  CMenuBarWnd();
  ~CMenuBarWnd() override;

  BOOL Create(CWnd* frame);
  void SetMenu(HMENU menu);
  // The menu's entries changed: measure and draw them again.
  void Refresh();
  int GetHeight() const;
  // The entry's rectangle in the bar, by position.
  CRect GetItemRect(int position) const;
  // Opens the entry's popup, or sends the entry's command; what a press on it does.
  void OpenItem(int position);
  // The frame's SC_KEYMENU: 0 selects the bar (Alt or F10 alone), a character opens the
  // entry whose mnemonic it is (Alt with the character); nothing when no entry has it.
  void OnMenuKey(char16_t character);
  // The highlighted entry, selected or open; -1 when none.
  int GetHighlightedItem() const { return m_highlighted; }
  // Whether the bar is selected and takes the keys.
  bool IsSelected() const { return m_selected; }

 private:
  friend class CMenuBarKeys;

  void OnPaint();
  void OnLButtonDown(UINT flags, CPoint point);
  void OnDestroy();
  int HitTest(CPoint point) const;
  void LayoutItems() const;
  int ItemCount() const;

  // Selects the bar with the entry highlighted, or leaves it.
  void Select(int position);
  void Deselect();
  void Highlight(int position);
  // A key pressed while the bar is selected: a toolkit key code and the character it types.
  void OnSelectedKey(int key, char16_t character);
  // Opens the entry's popup and follows the user from menu to menu until a command is
  // chosen or the menus are left.
  void Track(int position, bool byKeyboard);

  HMENU m_menu = nullptr;
  mutable std::vector<CRect> m_items;
  int m_highlighted = -1;
  bool m_selected = false;
  std::unique_ptr<CMenuBarKeys> m_keys;
};
