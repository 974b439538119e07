#pragma once
// Menu mnemonics: the character after a single '&' in an item's text ("&&" is a literal
// ampersand), drawn underlined. While a menu has the keyboard, typing it chooses the item.

#include <vector>

#include "platform/base/String.h"
#include "platform/ui/Menu.h"

// The mnemonic of the item text in upper case; 0 when the text has none. Only the label
// counts, not the accelerator text after a tab.
char16_t MenuMnemonic(const CString& text);
// The positions of the menu's items whose mnemonic is the character (in either case), in
// order; owner-drawn items have none.
std::vector<int> FindMenuMnemonic(HMENU menu, char16_t character);
