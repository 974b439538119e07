#pragma once
// Showing a popup menu: the items are laid out one under the other inside a raised frame,
// owner-drawn items measured and drawn by the owner window (WM_MEASUREITEM, WM_DRAWITEM with
// ODT_MENU; without a handler in the owner's message map the menu object answers, as the
// framework's default did), the other items drawn in the platform's classic look.
// TrackPopupMenu (Menu.h) lays the popup out, draws it and asks the user-answer sink for the
// choice; RenderPopupMenu draws it the same way for tests and tools. The popup on the screen
// follows the platform's keys: Up and Down move over the items (a grayed item is selected but
// cannot be chosen; separators are passed over), Return or an item's mnemonic letter chooses
// the item or opens its submenu, Right opens a submenu, Left and Escape step back one level,
// Alt and F10 close every menu.

#include <vector>

#include "platform/gdi/GdiTypes.h"
#include "platform/ui/Menu.h"

struct SRenderedPopupMenu {
  HBITMAP bitmap = nullptr;     // the whole popup, frame included; the caller deletes it
  std::vector<CRect> items;     // each item's rectangle in the bitmap, by position
  std::vector<CSize> measured;  // each item's size as measured, before the popup evened them
};

// Draws the popup with the item at selectedPosition selected (-1: none). Null bitmap when the
// menu is not a menu.
SRenderedPopupMenu RenderPopupMenu(HMENU menu, CWnd* owner, int selectedPosition);

// How the user left a popup menu.
enum class EPopupMenuExit {
  Closed,        // every menu closed: a click elsewhere, Alt or F10, or nothing chosen
  Chosen,        // an item was chosen
  Back,          // Escape: one level back (from a popup of the menu bar, to the selected bar)
  NextMenu,      // Right on an item without a submenu: on to the menu bar's next menu
  PreviousMenu,  // Left in the bar's popup itself: back to the bar's previous menu
};

struct SMenuBarPopupResult {
  UINT chosen = 0;
  EPopupMenuExit exit = EPopupMenuExit::Closed;
};

// Tracks a popup of the menu bar with its top-left corner at the screen point: as
// TrackPopupMenu (the user-answer sink is asked; a chosen command goes to the owner as
// WM_COMMAND), but Left and Right leave it for the bar's neighbouring menus, and with
// `selectFirst` (a key opened it) its first item starts selected.
SMenuBarPopupResult TrackMenuBarPopup(HMENU menu, int x, int y, CWnd* owner, bool selectFirst);

// For tests: the popup menus on the screen, outermost first, each with its selected item's
// position (-1: none).
struct SOpenPopupMenu {
  HMENU menu = nullptr;
  int selected = -1;
};
std::vector<SOpenPopupMenu> GetOpenPopupMenus();

// For tests: a key stroke (SimulatedInput.h's SimulateKeyStroke) as the user gives it to the
// popup on the screen; false when no popup is shown.
bool SimulatePopupMenuKey(UINT virtualKey);
