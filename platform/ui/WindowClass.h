#pragma once
// Window classes registered by name. Windows of this layer are built by their C++ class, so a
// registration only records the class's attributes; code that registers a class once per
// module asks GetClassInfo whether the name is known yet.

#include "platform/base/WinTypes.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/ui/WinUser.h"

constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr UINT CS_SAVEBITS = 0x0800;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASS {
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE hInstance = nullptr;
  HICON hIcon = nullptr;
  HCURSOR hCursor = nullptr;
  HBRUSH hbrBackground = nullptr;
  LPCTSTR lpszMenuName = nullptr;
  LPCTSTR lpszClassName = nullptr;
};

// The module handle of the program.
HINSTANCE AfxGetInstanceHandle();
// Records the class; FALSE when the name is missing or already registered.
BOOL AfxRegisterClass(WNDCLASS* windowClass);
// Fills the record of a registered class; FALSE when the name is not registered.
BOOL GetClassInfo(HINSTANCE instance, LPCTSTR className, WNDCLASS* windowClass);
