#pragma once
// Messages posted to a window and not yet delivered. A window's owner may take back the
// messages of one number before they arrive, for instance to free the records they carry when
// it stops listening; every removed message is handed to a callback and is never delivered.

#include <functional>

#include "platform/base/WinTypes.h"

class CWnd;

// Removes every message `message` posted to the window that has not been delivered yet and
// calls `onRemoved` with the parameters of each, in posting order, outside any lock of the
// layer. Callable from any thread. Returns the number removed.
int RemovePostedMessages(CWnd* wnd, UINT message, const std::function<void(WPARAM, LPARAM)>& onRemoved);
