#include "platform/gdi/Rgn.h"

#include "platform/gdi/GdiInternals.h"

namespace {

QRect RectOf(int l, int t, int r, int b) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  return QRect(l, t, r - l, b - t);
}

HRGN NewRegion(QRegion region) {
  auto* r = new gdi::RgnData;
  r->region = std::move(region);
  return r;
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return NewRegion(QRegion(RectOf(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(LPCRECT rect) {
  return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
  return Attach(::CreateRectRgn(left, top, right, bottom));
}
BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect) { return Attach(::CreateRectRgnIndirect(rect)); }
