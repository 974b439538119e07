#pragma once
// Form values as web forms carry them: the text's UTF-8 with every byte other than the letters
// A-Z and a-z, the digits and "-", ".", "_" and "~" written as "%" and two upper-case
// hexadecimal digits. So a "+", "&" or "=" inside a value arrives as the character it is.

#include "platform/base/String.h"

CString PercentEncode(const CString& text);
