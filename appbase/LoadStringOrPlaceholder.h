#pragma once

#include "platform/base/String.h"

// The string-table text of the id from the current resource module (a loaded language module
// first, then the program), or "???" when no module holds the id.
CString LoadStringOrPlaceholder(UINT id);

// That text with up to three texts put into its "%s" places.
CString FormatStringOrPlaceholder(UINT id, const CString& first, const CString& second = CString(),
                                  const CString& third = CString());
