#pragma once
// Whole numbers in the text of a dialog field or of a stored setting.

#include "platform/base/String.h"

// The text, blanks around it aside, as a decimal number: an optional minus sign and digits.
// False for an empty text, any other character, or a number outside the range of int; the
// value is then left alone.
bool ParseDecimalText(const CString& text, int& value);
// The text's number as ParseDecimalText reads it, or `fallback` when it holds none.
int DecimalTextOr(const CString& text, int fallback);
