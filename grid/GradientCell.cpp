#include "grid/GradientCell.h"

#include <algorithm>
#include <utility>

#include "platform/gdi/SystemInfo.h"

IMPLEMENT_DYNCREATE(CGradientCell, CTextCell)

namespace {

TRIVERTEX Vertex(LONG x, LONG y, COLORREF color, bool halve) {
  TRIVERTEX v{
      x, y, COLOR16(GetRValue(color) << 8), COLOR16(GetGValue(color) << 8), COLOR16(GetBValue(color) << 8),
      0};
  if (halve) {
    v.Red >>= 1;
    v.Green >>= 1;
    v.Blue >>= 1;
  }
  return v;
}

}  // namespace

COLORREF CGradientCell::SetTopLeftColor(COLORREF color) { return std::exchange(m_topLeft, color); }
COLORREF CGradientCell::SetTopRightColor(COLORREF color) { return std::exchange(m_topRight, color); }
COLORREF CGradientCell::SetBottomLeftColor(COLORREF color) { return std::exchange(m_bottomLeft, color); }
COLORREF CGradientCell::SetBottomRightColor(COLORREF color) { return std::exchange(m_bottomRight, color); }

BOOL CGradientCell::DrawBackground(CDC* dc, int, int, CRect rect, BOOL) {
  if (!dc) return TRUE;
  const bool darken = IsSelected() && GetDrawSelected();
  const bool leftRightPairs = m_topLeft == m_bottomLeft && m_topRight == m_bottomRight;
  const bool topBottomPairs = m_topLeft == m_topRight && m_bottomLeft == m_bottomRight;
  if (leftRightPairs && m_topLeft == m_topRight) {
    COLORREF color = m_topLeft;
    if (darken) color = RGB(GetRValue(color) >> 1, GetGValue(color) >> 1, GetBValue(color) >> 1);
    dc->FillSolidRect(rect, color);
  } else if (leftRightPairs || topBottomPairs) {
    TRIVERTEX vertices[2] = {Vertex(rect.left, rect.top, m_topLeft, darken),
                             Vertex(rect.right, rect.bottom, m_bottomRight, darken)};
    GRADIENT_RECT mesh{0, 1};
    // The back colour becomes the inverse of the start colour and keeps it after the paint: a
    // selected cell's image stage inverts it back, so its mask lies on the start colour.
    SetBackColor(
        COLORREF(0xFF000001u - RGB(vertices[0].Red >> 8, vertices[0].Green >> 8, vertices[0].Blue >> 8)));
    dc->GradientFill(vertices, 2, &mesh, 1, leftRightPairs ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
  } else {
    TRIVERTEX vertices[4] = {Vertex(rect.left, rect.top, m_topLeft, false),
                             Vertex(rect.right, rect.top, m_topRight, false),
                             Vertex(rect.right, rect.bottom, m_bottomRight, false),
                             Vertex(rect.left, rect.bottom, m_bottomLeft, false)};
    GRADIENT_TRIANGLE mesh[2] = {{0, 1, 2}, {0, 2, 3}};
    dc->GradientFill(vertices, 4, mesh, 2, GRADIENT_FILL_TRIANGLE);
  }
  return TRUE;
}

CSize CGradientCell::GetCellExtent(CDC* dc) {
  CSize size = CTextCell::GetCellExtent(dc);
  size.cx += GetSystemMetrics(SM_CXVSCROLL);
  size.cy = std::max<LONG>(size.cy, GetSystemMetrics(SM_CYHSCROLL));
  return size;
}
