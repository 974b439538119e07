#pragma once
// The dialog commands' common start: a dialog resource of the program made from its template
// as the program makes it (font, dialog units, controls), created but not run.

#include <string>

#include "platform/ui/Dialog.h"

// Creates `dialog` from the program's dialog resource named by `idText`; prints why and
// returns false when it cannot be made. The caller keeps an application alive meanwhile. A
// page (a child dialog) is made inside `host`, a window of the page's size.
bool CreateProgramDialog(CDialog& dialog, const std::string& idText, CWnd& host);
