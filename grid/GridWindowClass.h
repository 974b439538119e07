#pragma once
// The window class of both grids, "CellGridWnd", registered once per module so that dialog
// templates can name it.

#include "platform/base/WinTypes.h"

constexpr const char16_t* kCellGridWindowClass = u"CellGridWnd";

// TRUE when the class is registered (now or before).
BOOL RegisterCellGridWindowClass();
