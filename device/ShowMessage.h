#pragma once
// The message box by kind: 0 information, 1 warning, 2 error, 3 fatal error; error and fatal
// error messages carry the request to send the log file. Callable from any thread; it blocks
// until the box is closed and returns the identifier of the button that closed it.

#include "platform/base/String.h"

// The kinds of message.
enum : UINT { kInfoMessage = 0, kWarningMessage = 1, kErrorMessage = 2, kFatalMessage = 3 };

// `context`, `sourceFile` and `line` are accepted for the callers' diagnostics and not used.
int ShowMessage(UINT kind, const CString& text, void* context = nullptr, const char* sourceFile = nullptr,
                int line = 0);
