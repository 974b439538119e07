#pragma once
// Where a Live View plot window opens: beside the Live View dialog, so that it never hides the
// dialog's Start and Stop buttons, wherever the work area has room for it.

#include "platform/gdi/Geometry.h"

// The rectangle at which a window of the wanted rectangle's size opens beside the other
// window: as wanted when it leaves the other window free; otherwise to its right, else to its
// left at the wanted height, else below it at the wanted left edge, the first that lies on the
// work area; as wanted when none does. Both rectangles are window rectangles (the frame's
// corner and the client area's size); the frames' borders and the title bar are allowed for.
CRect PlaceBeside(const CRect& wanted, const CRect& other);
