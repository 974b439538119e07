#pragma once
// The program's diagnostic flag, which the application object sets at start-up when the
// marker file lies in the program folder: the views below the main frame read it here without
// reaching up to the application object.

// False until the application object has set it.
bool IsDiagnosticMode();
void SetDiagnosticMode(bool diagnostic);
