#pragma once
// CGradientCell: a text cell whose background is a gradient between four corner colours.

#include "grid/TextCell.h"

class CGradientCell : public CTextCell {
  DECLARE_DYNCREATE(CGradientCell)

 public:
  COLORREF SetTopLeftColor(COLORREF color);
  COLORREF SetTopRightColor(COLORREF color);
  COLORREF SetBottomLeftColor(COLORREF color);
  COLORREF SetBottomRightColor(COLORREF color);

  BOOL DrawBackground(CDC* dc, int row, int col, CRect rect, BOOL plain) override;
  CSize GetCellExtent(CDC* dc) override;

 protected:
  COLORREF m_topLeft = RGB(0xFF, 0, 0);
  COLORREF m_topRight = RGB(0, 0xFF, 0);
  COLORREF m_bottomLeft = RGB(0xFF, 0, 0);
  COLORREF m_bottomRight = RGB(0, 0xFF, 0);
};
