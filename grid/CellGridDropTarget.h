#pragma once
// CCellGridDropTarget: the drop target of an extended grid (GridDropTarget.h).

#include "grid/GridDropTarget.h"

class CCellGrid;

using CCellGridDropTarget = CGridDropTarget<CCellGrid>;
