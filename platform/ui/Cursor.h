#pragma once
// Mouse cursors: the platform's standard cursors by their ids, and the cursor shown over the
// window that is handling the mouse (SetCursor from WM_SETCURSOR or a mouse message).

#include "platform/gdi/GdiTypes.h"
#include "platform/res/ResourceLookup.h"
#include "platform/ui/WinUser.h"

inline const LPCWSTR IDC_ARROW = MAKEINTRESOURCEW(32512);
inline const LPCWSTR IDC_IBEAM = MAKEINTRESOURCEW(32513);
inline const LPCWSTR IDC_WAIT = MAKEINTRESOURCEW(32514);
inline const LPCWSTR IDC_CROSS = MAKEINTRESOURCEW(32515);
inline const LPCWSTR IDC_UPARROW = MAKEINTRESOURCEW(32516);
inline const LPCWSTR IDC_SIZENWSE = MAKEINTRESOURCEW(32642);
inline const LPCWSTR IDC_SIZENESW = MAKEINTRESOURCEW(32643);
inline const LPCWSTR IDC_SIZEWE = MAKEINTRESOURCEW(32644);
inline const LPCWSTR IDC_SIZENS = MAKEINTRESOURCEW(32645);
inline const LPCWSTR IDC_SIZEALL = MAKEINTRESOURCEW(32646);
inline const LPCWSTR IDC_NO = MAKEINTRESOURCEW(32648);
inline const LPCWSTR IDC_HAND = MAKEINTRESOURCEW(32649);
inline const LPCWSTR IDC_APPSTARTING = MAKEINTRESOURCEW(32650);
inline const LPCWSTR IDC_HELP = MAKEINTRESOURCEW(32651);

// A standard cursor (module none) by its IDC_ id; null for an unknown id. Standard cursors
// are shared and never destroyed.
HCURSOR LoadCursor(HINSTANCE module, LPCWSTR name);
// Shows the cursor over the window handling the mouse and returns the one shown before.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

// For the window layer: the window whose widget SetCursor changes.
void SetCursorTarget(CWnd* wnd);
// The cursor a window shows when nobody sets one (the arrow; toolkit controls keep their own).
void SetDefaultCursor(CWnd* wnd);

// The rectangle (screen coordinates) the pointer is to stay in, or none (null) to free it. It is
// kept and reported, but the real pointer is not held: the window systems of this platform do
// not let a program confine the pointer.
BOOL ClipCursor(const RECT* rect);
// The kept rectangle; FALSE when the pointer is free.
BOOL GetClipCursor(RECT* rect);
