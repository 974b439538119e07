#pragma once
// CCellEditOrg: the second grid's in-place editor, which is the extended grid's editor: both
// grids' cells open the same one-line editor with control id 8 and get the same end notice.

#include "grid/CellEdit.h"

using CCellEditOrg = CCellEdit;
