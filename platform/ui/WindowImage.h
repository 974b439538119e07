#pragma once
// A picture of a window as the screen shows it, its child windows included; for tests and
// tools, which need no display for it.

#include "platform/base/String.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/ui/WinUser.h"

// Paints what is pending and writes the window's picture to a PNG file; false when the window
// does not exist or the file cannot be written.
bool SaveWindowImage(HWND window, const CString& pngPath);
// The same picture as a colour bitmap the caller owns (DeleteObject); null when the window
// does not exist.
HBITMAP CopyWindowImage(HWND window);
// Writes what the screen shows in the area (screen coordinates) to a PNG file: windows that
// overlap, such as a tip over its window, appear as the user sees them. Needs a real display.
bool SaveScreenImage(const RECT& area, const CString& pngPath);
