#pragma once
// The icon a top-level window shows to the window system, for tests and tools: its sizes and a
// picture of it, which need no display.

#include <vector>

#include "platform/base/String.h"
#include "platform/gdi/Geometry.h"
#include "platform/ui/WinUser.h"

// The sizes of the window's icon, smallest first; none when it shows no icon.
std::vector<CSize> GetWindowIconSizes(HWND window);
// Writes every size of the window's icon side by side, smallest first, each magnified `scale`
// times, on a grey ground that transparent pixels let through, to a PNG file; false when the
// window shows no icon or the file cannot be written.
bool SaveWindowIconImage(HWND window, int scale, const CString& pngPath);
