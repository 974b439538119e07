#pragma once
// Keys and typing for `zdtool grid`: key names to the platform's virtual keys, and the text a
// key types, so that simulated keys reach the focused window as a user's keys would.

#include <string>

#include "platform/base/String.h"
#include "platform/ui/Wnd.h"

// The virtual key of a name (left, right, up, down, tab, home, end, prior, next, return,
// escape, delete, space, back, f2, or one letter); false for an unknown name.
bool KeyByName(const std::string& name, UINT& virtualKey);
// What the key types with the modifiers held (MK_SHIFT, MK_CONTROL); empty when it types nothing.
CString KeyText(UINT virtualKey, UINT modifiers);
// Presses and releases the key of the character, typing it.
void TypeCharacter(CWnd* target, char16_t ch);
