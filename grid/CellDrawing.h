#pragma once
// Drawing pieces that both grids' cells use: the raised edge of a fixed cell and the size of
// an image of the grid's image list.

#include "platform/gdi/Dc.h"
#include "platform/gdi/ImageList.h"

// The raised edge of a fixed cell: light top and left, dark right and bottom.
void DrawCellRaisedEdge(CDC* dc, const CRect& rect);

// False when there is no list or no such image.
bool GetCellImageSize(CImageList* list, int image, CSize& size);
