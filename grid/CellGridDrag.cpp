#include "grid/CellGrid.h"

void CCellGrid::OnBeginDrag() {}
