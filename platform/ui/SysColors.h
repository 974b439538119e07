#pragma once
// Changing the system colours: the new colours take effect and every window is sent
// WM_SYSCOLORCHANGE, as the platform does when the user picks another colour scheme.

#include "platform/base/WinTypes.h"

BOOL SetSysColors(int count, const int* indices, const COLORREF* colors);
