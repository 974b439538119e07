#pragma once
// The scroll bars of a grid window, shared by both grids: which bars the cells need, their
// ranges and pages, and the positions read and written.

#include "platform/ui/Wnd.h"

// Shows the bars that cells of the total sizes need beside their fixed rows and columns, and
// sets their ranges and maxima. `state` holds 0x01 for a shown horizontal bar and 0x02 for a
// vertical one; it is the grid's own member, changed before the bars are, since showing a bar
// sizes the client area again and the update that this starts must see the bars as they are.
void UpdateGridScrollBars(CWnd& wnd, UINT& state, int& vMax, int& hMax, int fixedWidth, int fixedHeight,
                          int totalWidth, int totalHeight);
// The bar's position, or its tracking position; 0 without a window.
int ReadGridScrollPosition(const CWnd& wnd, int bar, bool track);
void WriteGridScrollPosition(CWnd& wnd, int bar, int pos);
