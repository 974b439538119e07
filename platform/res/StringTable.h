#pragma once
// The program's string table: the texts of resources/strings/*.txt, compiled into the program
// and looked up by their numeric id. A language module made the current resource module
// (LanguageModule.h) is asked first.

#include "platform/base/String.h"

// Fills `out` with the text of the id and returns true; a missing id empties `out`.
bool LoadResString(UINT id, CString& out);
// The text of the id, or an empty text when the table has none.
CString ResString(UINT id);
