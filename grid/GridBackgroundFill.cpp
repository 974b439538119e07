#include "grid/GridBackgroundFill.h"

#include <algorithm>

void FillGridBackground(CDC* dc, int fixedWidth, int fixedHeight, const CRect& cells,
                        const SGridBackgroundColors& colors) {
  CRect clip;
  if (dc->GetClipBox(clip) == ERROR) return;
  if (clip.left < fixedWidth && clip.top < fixedHeight)
    dc->FillSolidRect(CRect(clip.left, clip.top, fixedWidth, fixedHeight), colors.corner);
  if (clip.left < fixedWidth && clip.top < cells.bottom)
    dc->FillSolidRect(CRect(clip.left, clip.top, fixedWidth, cells.bottom), colors.fixedColumn);
  if (clip.top < fixedHeight && fixedWidth < clip.right && clip.left < cells.right)
    dc->FillSolidRect(CRect(fixedWidth - 1, clip.top, cells.right, fixedHeight), colors.fixedRow);
  CRect inner;
  if (inner.IntersectRect(cells, clip)) {
    inner.left = std::max<LONG>(inner.left, fixedWidth);
    inner.top = std::max<LONG>(inner.top, fixedHeight);
    if (!inner.IsRectEmpty()) dc->FillSolidRect(inner, colors.cells);
  }
  if (cells.right < clip.right)
    dc->FillSolidRect(CRect(cells.right, clip.top, clip.right, clip.bottom), colors.background);
  if (cells.bottom < clip.bottom && clip.left < cells.right)
    dc->FillSolidRect(CRect(clip.left, cells.bottom, cells.right, clip.bottom), colors.background);
}
