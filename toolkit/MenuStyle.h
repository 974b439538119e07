#pragma once
// What the owner-drawn menus choose their look from: the operating-system code, the desktop
// theme, and the colour arithmetic of their tints.

#include "platform/base/WinTypes.h"
#include "platform/gdi/SystemInfo.h"

// The code of a system version: 9x family 0 below version 4, 3 for 4.10 (Windows 98), 4 for
// 4.90 (Windows Me), 2 otherwise; NT family 5 for 4.x, 6 for 5.0, 7 for 5.1 (Windows XP), 1
// otherwise. Codes above 1 draw 3-D frames in the classic style; 7 alone allows the XP style.
int OsVersionCodeOf(const OSVERSIONINFO& version);
// The code of the system the program runs on. Read at each call, not kept: the emulated
// version may be set at any time, and a kept code would follow whoever asked first.
int GetOsVersionCode();
// True when the current desktop theme is the "Windows Classic" one.
bool IsClassicTheme();
// True when the menus draw in the XP style: a themed Windows XP.
bool IsXpMenuStyle();

// Each colour component v becomes v + (255 - v) * factor (lighten) or v - v * factor (darken),
// truncated; a factor outside (0, 1] leaves the colour as it is.
COLORREF LightenColor(COLORREF color, double factor);
COLORREF DarkenColor(COLORREF color, double factor);
