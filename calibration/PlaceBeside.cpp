#include "calibration/PlaceBeside.h"

#include "platform/gdi/SystemInfo.h"

namespace {

// What a window's frame adds to its window rectangle: the borders across, the title bar and the
// borders down.
CRect WithFrame(const CRect& window) {
  return CRect(window.left, window.top, window.right + 2 * GetSystemMetrics(SM_CXFRAME),
               window.bottom + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME));
}

bool OnWorkArea(const CRect& framed, const RECT& area) {
  return framed.left >= area.left && framed.top >= area.top && framed.right <= area.right &&
         framed.bottom <= area.bottom;
}

}  // namespace

CRect PlaceBeside(const CRect& wanted, const CRect& other) {
  const CRect taken = WithFrame(other);
  const CRect framed = WithFrame(wanted);
  CRect shared;
  if (!IntersectRect(&shared, &framed, &taken)) return wanted;
  RECT area{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
  const CPoint corners[] = {
      {taken.right, wanted.top},                    // right of the other window
      {taken.left - framed.Width(), wanted.top},    // left of it
      {wanted.left, taken.bottom},                  // below it
  };
  for (const CPoint& corner : corners) {
    CRect candidate = wanted;
    candidate.MoveToXY(corner.x, corner.y);
    if (OnWorkArea(WithFrame(candidate), area)) return candidate;
  }
  return wanted;
}
