#pragma once

#include "platform/base/String.h"

// Makes a comment safe for texts without line breaks, tabs or double quotes (escape true), or
// turns such a text back (escape false). A line break always comes back as "\r\n".
CString EscapeMarkup(const CString& text, bool escape);
