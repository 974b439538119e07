#pragma once
// The text of a measurement's ID. The ID is a 32-bit field that every page and export shows as
// a signed decimal number ("%d"), so an ID of 0xFFFFFFFF reads -1 everywhere; the ID editor
// takes back exactly such texts, so whatever the grid shows can be typed again.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

CString FormatMeasurementId(DWORD id);

// Reads a text as FormatMeasurementId writes it: decimal digits with an optional leading minus
// sign, within the signed 32-bit range; an empty text is ID 0. Anything else (blanks, a plus
// sign, a number beyond the range) answers false and leaves id as it was.
bool ParseMeasurementId(const CString& text, DWORD& id);
