#pragma once
// The extent of the detail-row cells that sit beside the grid's scroll bars: the extent their
// base class gives, one vertical scroll bar wider and at least one horizontal scroll bar high.

#include "platform/gdi/Geometry.h"

CSize ScrollBarCellExtent(CSize extent);
