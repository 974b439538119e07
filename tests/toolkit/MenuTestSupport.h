#pragma once
// Drawing fixtures of the menu tests: a canvas filled with a colour no menu uses, so that
// pixels a drawing leaves alone can be told apart, and a 16 x 16 picture list.

#include <memory>

#include "platform/gdi/Dc.h"
#include "platform/gdi/ImageList.h"
#include "platform/gdi/SystemInfo.h"
#include "toolkit/OwnerMenu.h"

constexpr COLORREF kUntouched = RGB(1, 2, 3);
constexpr COLORREF kRed = RGB(255, 0, 0);

class CCanvas {
 public:
  CCanvas(int width, int height);
  ~CCanvas();
  CDC& Dc() { return m_dc; }
  COLORREF At(int x, int y) { return m_dc.GetPixel(x, y); }
  // Whether any pixel of the area has the colour.
  bool Contains(const CRect& area, COLORREF color);

 private:
  CDC m_dc;
  CBitmap m_bitmap;
  CBitmap* m_previous = nullptr;
  CFont m_menuFont;
};

// One 16 x 16 picture: a red square from (4, 4) to (11, 11) on white, white masked.
std::unique_ptr<CImageList> MakeRedSquareList();

// Draws item `position` of the menu into the rectangle with the ODS_ state.
void DrawMenuItem(COwnerMenu& menu, int position, CCanvas& canvas, const CRect& rect, UINT state);
// Measures item `position` of the menu.
CSize MeasureMenuItem(COwnerMenu& menu, int position);
