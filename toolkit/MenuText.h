#pragma once
// The text of an owner-drawn menu item and the font it is measured and drawn with.

#include "platform/base/String.h"
#include "platform/gdi/Font.h"

// The label is the text before the first tab, the accelerator the text after the last one.
CString MenuLabelOf(const CString& text);
CString MenuAcceleratorOf(const CString& text);
// Creates the menu font of the system's non-client metrics.
void CreateMenuFont(CFont& font);
