#pragma once
// Showing a popup menu: the items are laid out one under the other inside a raised frame,
// owner-drawn items measured and drawn by the owner window (WM_MEASUREITEM, WM_DRAWITEM with
// ODT_MENU; without a handler in the owner's message map the menu object answers, as the
// framework's default did), the other items drawn in the platform's classic look.
// TrackPopupMenu (Menu.h) lays the popup out, draws it and asks the user-answer sink for the
// choice; RenderPopupMenu draws it the same way for tests and tools.

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

// For tests: a key press (VK_UP, VK_DOWN, VK_RETURN, VK_ESCAPE) as the user gives it to the
// popup on the screen; false when no popup is shown.
bool SimulatePopupMenuKey(UINT virtualKey);
