#pragma once
// Message texts with numbered inserts, by the platform's message-formatting rules: "%1" to
// "%99" insert the inserts (an insert that is missing inserts nothing), "%n" breaks the line,
// "% " gives a blank, "%." a period, "%!" an exclamation mark and "%%" a percent sign. A "%"
// before any other character, or at the end, is left out.

#include <vector>

#include "platform/base/String.h"

CString FormatMessageText(const CString& pattern, const std::vector<CString>& inserts);
