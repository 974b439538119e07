#pragma once
// The messages that reach the pages of the tab sheet: the commands the sheet forwards to its
// active page, the two enable queries, and the grid page's own messages to itself. A page that
// does not handle one answers 0.

#include "platform/ui/WinUser.h"

constexpr UINT WM_PAGE_PRINT = WM_USER + 1;
constexpr UINT WM_PAGE_COPY = WM_USER + 2;
constexpr UINT WM_PAGE_EXPORT_GRAPHIC = WM_USER + 3;
constexpr UINT WM_PAGE_EXPORT_CSV = WM_USER + 5;
constexpr UINT WM_PAGE_SELECT_ALL = WM_USER + 7;
constexpr UINT WM_PAGE_DELETE = WM_USER + 8;
// Answer 1 when Delete, or Select all, may be enabled.
constexpr UINT WM_PAGE_CAN_DELETE = WM_USER + 9;
constexpr UINT WM_PAGE_CAN_SELECT_ALL = WM_USER + 10;
constexpr UINT WM_PAGE_PASTE = WM_USER + 13;
constexpr UINT WM_PAGE_CUT = WM_USER + 14;
// The grid page refills itself and scrolls back to the vertical position in wParam.
constexpr UINT WM_PAGE_REFILL = WM_USER + 100;
