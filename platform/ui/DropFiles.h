#pragma once
// Files dropped on a window from the desktop: once the window accepts them, a drop of files
// sends it WM_DROPFILES with a drop handle in wParam, from which DragQueryFile reads the
// paths; DragFinish releases the handle (the receiver's duty, as on the platform).

#include <vector>

#include "platform/base/String.h"
#include "platform/ui/WinUser.h"

constexpr UINT WM_DROPFILES = 0x0233;

struct DropData;
using HDROP = DropData*;

void DragAcceptFiles(HWND window, BOOL accept);
// With index 0xFFFFFFFF the number of files; otherwise copies the path and returns its length
// (0 for an index out of range).
UINT DragQueryFile(HDROP drop, UINT index, CString& path);
void DragFinish(HDROP drop);

// For tests: drops the files on the window as the window system would.
void SimulateDropFiles(HWND window, const std::vector<CString>& paths);
