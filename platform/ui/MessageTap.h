#pragma once
// A tap on the messages that windows handle, for tests and the harness: it sees every message
// that reaches a window's handlers (sent or posted), on the user-interface thread, before the
// window handles it, and cannot change it.

#include <functional>

#include "platform/ui/Wnd.h"

using MessageTap = std::function<void(CWnd& window, UINT message, WPARAM wParam, LPARAM lParam)>;

// Sets the tap (an empty one removes it) and returns the one set before.
MessageTap SetMessageTap(MessageTap tap);
// Calls the tap, when one is set; used by the windows' dispatch.
void TapMessage(CWnd& window, UINT message, WPARAM wParam, LPARAM lParam);
