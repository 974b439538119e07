#pragma once
// The folder of the running program and its temporary-log folder, which the application object
// sets at its start: the services below the main frame (the connection wizard's help, reports,
// the calibration logs and results) find their files there without reaching up to the
// application object.

#include "platform/base/String.h"

// Empty until the application object has set it.
const CString& GetProgramFolder();
void SetProgramFolder(const CString& folder);
// Ends with "/"; empty when no folder for the logs could be made.
const CString& GetTempLogFolder();
void SetTempLogFolder(const CString& folder);
