#pragma once
// CDetailLeftCell: the first cell of a measurement's detail row, an empty gradient strip under
// the row's gripper.

#include "grid/GradientCell.h"

class CDetailLeftCell : public CGradientCell {
  DECLARE_DYNCREATE(CDetailLeftCell)

 public:
  // Only the gradient: no text, image or focus frame.
  BOOL Draw(CDC* dc, int row, int col, CRect rect, BOOL erase, BOOL plain) override;
  CSize GetCellExtent(CDC* dc) override;
};
