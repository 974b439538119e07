#pragma once
// The extent of the detail-row cells that sit beside the grid's scroll bars: the plain cell
// extent, one vertical scroll bar wider and at least one horizontal scroll bar high.

#include "grid/CellBase.h"

CSize ScrollBarCellExtent(CCellBase& cell, CDC* dc);
