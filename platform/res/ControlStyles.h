#pragma once
// Style bits of dialogs and of the standard controls, the platform's numbers. Plain
// constants, shared by the window layer and the resource compiler.

#include <cstdint>

// Dialogs.
constexpr std::uint32_t DS_SETFONT = 0x40;
constexpr std::uint32_t DS_MODALFRAME = 0x80;
constexpr std::uint32_t DS_CENTER = 0x0800;
constexpr std::uint32_t DS_CONTROL = 0x0400;

// Buttons.
constexpr std::uint32_t BS_PUSHBUTTON = 0x0;
constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x1;
constexpr std::uint32_t BS_CHECKBOX = 0x2;
constexpr std::uint32_t BS_AUTOCHECKBOX = 0x3;
constexpr std::uint32_t BS_RADIOBUTTON = 0x4;
constexpr std::uint32_t BS_3STATE = 0x5;
constexpr std::uint32_t BS_AUTO3STATE = 0x6;
constexpr std::uint32_t BS_GROUPBOX = 0x7;
constexpr std::uint32_t BS_AUTORADIOBUTTON = 0x9;
constexpr std::uint32_t BS_OWNERDRAW = 0xB;
constexpr std::uint32_t BS_TYPEMASK = 0xF;
constexpr std::uint32_t BS_LEFTTEXT = 0x20;
constexpr std::uint32_t BS_BITMAP = 0x80;
constexpr std::uint32_t BS_LEFT = 0x100;
constexpr std::uint32_t BS_RIGHT = 0x200;
constexpr std::uint32_t BS_CENTER = 0x300;
constexpr std::uint32_t BS_PUSHLIKE = 0x1000;
constexpr std::uint32_t BS_MULTILINE = 0x2000;
constexpr std::uint32_t BS_NOTIFY = 0x4000;
constexpr std::uint32_t BS_FLAT = 0x8000;

// Edit controls.
constexpr std::uint32_t ES_LEFT = 0x0;
constexpr std::uint32_t ES_CENTER = 0x1;
constexpr std::uint32_t ES_RIGHT = 0x2;
constexpr std::uint32_t ES_MULTILINE = 0x4;
constexpr std::uint32_t ES_UPPERCASE = 0x8;
constexpr std::uint32_t ES_LOWERCASE = 0x10;
constexpr std::uint32_t ES_PASSWORD = 0x20;
constexpr std::uint32_t ES_AUTOVSCROLL = 0x40;
constexpr std::uint32_t ES_AUTOHSCROLL = 0x80;
constexpr std::uint32_t ES_NOHIDESEL = 0x100;
constexpr std::uint32_t ES_READONLY = 0x800;
constexpr std::uint32_t ES_WANTRETURN = 0x1000;
constexpr std::uint32_t ES_NUMBER = 0x2000;

// Statics.
constexpr std::uint32_t SS_LEFT = 0x0;
constexpr std::uint32_t SS_CENTER = 0x1;
constexpr std::uint32_t SS_RIGHT = 0x2;
constexpr std::uint32_t SS_ICON = 0x3;
constexpr std::uint32_t SS_BLACKRECT = 0x4;
constexpr std::uint32_t SS_LEFTNOWORDWRAP = 0xC;
constexpr std::uint32_t SS_OWNERDRAW = 0xD;
constexpr std::uint32_t SS_BITMAP = 0xE;
constexpr std::uint32_t SS_ETCHEDHORZ = 0x10;
constexpr std::uint32_t SS_TYPEMASK = 0x1F;
constexpr std::uint32_t SS_NOPREFIX = 0x80;
constexpr std::uint32_t SS_NOTIFY = 0x100;
constexpr std::uint32_t SS_CENTERIMAGE = 0x200;
constexpr std::uint32_t SS_SUNKEN = 0x1000;

// Combo boxes.
constexpr std::uint32_t CBS_SIMPLE = 0x1;
constexpr std::uint32_t CBS_DROPDOWN = 0x2;
constexpr std::uint32_t CBS_DROPDOWNLIST = 0x3;
constexpr std::uint32_t CBS_AUTOHSCROLL = 0x40;
constexpr std::uint32_t CBS_SORT = 0x100;
constexpr std::uint32_t CBS_HASSTRINGS = 0x200;

// List boxes.
constexpr std::uint32_t LBS_NOTIFY = 0x1;
constexpr std::uint32_t LBS_SORT = 0x2;
constexpr std::uint32_t LBS_MULTIPLESEL = 0x8;
constexpr std::uint32_t LBS_HASSTRINGS = 0x40;
constexpr std::uint32_t LBS_NOINTEGRALHEIGHT = 0x100;
constexpr std::uint32_t LBS_EXTENDEDSEL = 0x800;

// Progress bars.
constexpr std::uint32_t PBS_SMOOTH = 0x1;
constexpr std::uint32_t PBS_VERTICAL = 0x4;
