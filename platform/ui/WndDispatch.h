#pragma once
// The message being handled by a window (platform layer only): Default() reads it, and for a
// message made from a toolkit event it says whether the toolkit's own handling has run.

#include <QEvent>

#include "platform/ui/Wnd.h"

struct CWnd::DispatchFrame {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  QEvent* event = nullptr;
  // A key press becomes WM_KEYDOWN and WM_CHAR; the toolkit handles the event once, after
  // both, and only when both went to the default processing.
  bool deferToolkit = false;
  bool toolkitWanted = false;
  bool toolkitRan = false;
  DispatchFrame* previous = nullptr;
};
