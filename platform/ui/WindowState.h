#pragma once
// The show state of a top-level window as the platform reports it.

#include "platform/base/WinTypes.h"
#include "platform/ui/WinUser.h"

// True when the window (or the top-level window it lies in) is minimised; false for no window.
BOOL IsIconic(HWND window);
