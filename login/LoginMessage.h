#pragma once
// The message boxes of the login check and its dialogs, shown over the window that asked,
// under the program's name.

#include "platform/base/String.h"

class CWnd;

// The button the user pressed.
int ShowLoginMessage(CWnd* owner, const CString& text, UINT type);
