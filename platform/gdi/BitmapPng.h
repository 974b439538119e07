#pragma once
// Writing a bitmap to a PNG file, for tools that let a person look at what was drawn.

#include "platform/base/String.h"
#include "platform/gdi/GdiTypes.h"

// False when the bitmap is not a bitmap or the file cannot be written.
bool SaveBitmapAsPng(HBITMAP bitmap, const CString& path);
