#pragma once
// How an option row of the export dialogs breaks its label: a label longer than a line's number
// of characters is split just behind a blank, at the first blank-end that reaches the line's
// length, or at the last one when none does; a label without any blank is cut at the line's
// length. The first line keeps its trailing blank; the second line is never split again.

#include "platform/base/String.h"

void SplitOptionLabel(const CString& label, int charsPerLine, CString& first, CString& second);
