#pragma once
// The dialog commands' common start: a dialog resource of the program made from its template
// as the program makes it (font, dialog units, controls), created but not run.

#include <string>

#include "platform/ui/Dialog.h"

// Creates `dialog` from the program's dialog resource named by `idText`; prints why and
// returns false when it cannot be made. A child dialog (a page of a tab sheet) is made on
// `host`, which is created for it and outlives the dialog. The caller keeps an application
// alive meanwhile.
bool CreateProgramDialog(CDialog& dialog, const std::string& idText, CWnd& host);
