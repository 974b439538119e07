#pragma once
// CCellGridDropTargetOrg: the drop target of a second grid (GridDropTarget.h); it accepts only
// a CCellGridOrg, which registers it on its first size message.

#include "grid/GridDropTarget.h"

class CCellGridOrg;

using CCellGridDropTargetOrg = CGridDropTarget<CCellGridOrg>;
