#pragma once
// Keys typed into the program as a user types them, one stroke at a time, for tests whose keys
// open loops of their own (menus): each stroke comes from a timer of its own, started just
// before the stroke before it is typed. A stroke that opens a menu so leaves the next ones to
// the menu's loop, and one that closes a menu lets that loop end before the next stroke comes.

#include <functional>
#include <vector>

#include "platform/ui/SimulatedInput.h"
#include "platform/ui/Wnd.h"

struct SKeyStroke {
  UINT key = 0;
  UINT modifiers = 0;            // MK_SHIFT, MK_CONTROL, SIMULATED_ALT
  std::function<void()> action;  // done in the stroke's turn in place of a key, when set
};

inline SKeyStroke KeyStroke(UINT key, UINT modifiers = 0) { return {key, modifiers, nullptr}; }

// Types the strokes (SimulateKeyStroke) and handles events until every stroke has had its turn
// and no popup menu is open; false when that has not come after five seconds.
bool TypeKeyStrokes(std::vector<SKeyStroke> strokes);
