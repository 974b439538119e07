#pragma once
// Measuring of cells, shared by both grids: the size a cell's text needs with its margins,
// the extent a cell needs with its image, and the default sizes a default cell takes from its
// font.

#include "platform/base/String.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Font.h"

// The size of the text in the font (none: the context's) with the margin on every side; a
// word-breaking format measures the widest line and lets the text wrap at that width.
// Vertical text (escapement 900 or -900) exchanges width and height.
CSize MeasureCellText(CDC* dc, CFont* font, const CString& text, UINT format, int margin, int escapement);

// The extent of a cell from the size of its text: an image of the given size (0 x 0: none)
// beside the text, one pixel more each way for the line, one more for a fixed cell.
CSize CellExtentWithImage(CSize textSize, CSize imageSize, bool hasImage, int margin, bool fixed);

// The sizes a default cell takes from its font: the margin is the width of a space, the
// default width that of " XXXXXXXXXXXX ", the default height one and a half times its height.
// Without a screen context to measure on: 3, 40 and 16.
struct SDefaultCellSizes {
  int margin = 3;
  int width = 40;
  int height = 16;
};
SDefaultCellSizes MeasureDefaultCellSizes(CFont* font);
