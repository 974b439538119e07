#pragma once
// CControlBar: a bar of the frame window (tool bar, status bar, dialog bar), docked in the
// frame's dock bars. The frame's bars build on it.

#include "platform/ui/Wnd.h"

class CControlBar : public CWnd {};
