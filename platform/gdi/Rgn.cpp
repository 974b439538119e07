#include "platform/gdi/Rgn.h"

#include <QPolygon>

#include "platform/gdi/GdiInternals.h"

namespace {

gdi::RgnData* R(HGDIOBJ h) { return gdi::Data<gdi::RgnData>(h); }

QRect RectOf(int l, int t, int r, int b) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  return QRect(l, t, r - l, b - t);
}

int TypeOf(const QRegion& region) {
  if (region.isEmpty()) return NULLREGION;
  return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
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

int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode) {
  auto* d = R(dst);
  auto* ra = R(a);
  auto* rb = R(b);
  if (!d || !ra || (mode != RGN_COPY && !rb)) return ERROR;
  switch (mode) {
    case RGN_AND:
      d->region = ra->region.intersected(rb->region);
      break;
    case RGN_OR:
      d->region = ra->region.united(rb->region);
      break;
    case RGN_XOR:
      d->region = ra->region.xored(rb->region);
      break;
    case RGN_DIFF:
      d->region = ra->region.subtracted(rb->region);
      break;
    case RGN_COPY:
      d->region = ra->region;
      break;
    default:
      return ERROR;
  }
  return TypeOf(d->region);
}

int GetRgnBox(HRGN rgn, LPRECT rect) {
  auto* r = R(rgn);
  if (!r || !rect) return ERROR;
  QRect box = r->region.boundingRect();
  *rect = box.isEmpty() ? RECT{0, 0, 0, 0} : RECT{box.left(), box.top(), box.right() + 1, box.bottom() + 1};
  return TypeOf(r->region);
}

BOOL PtInRegion(HRGN rgn, int x, int y) {
  auto* r = R(rgn);
  return r && r->region.contains(QPoint(x, y));
}

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
  return Attach(::CreateRectRgn(left, top, right, bottom));
}
BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect) { return Attach(::CreateRectRgnIndirect(rect)); }
BOOL CRgn::CreateEllipticRgn(int left, int top, int right, int bottom) {
  return Attach(NewRegion(QRegion(RectOf(left, top, right, bottom), QRegion::Ellipse)));
}
BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT rect) {
  return rect ? CreateEllipticRgn(rect->left, rect->top, rect->right, rect->bottom) : FALSE;
}
BOOL CRgn::CreatePolygonRgn(const POINT* points, int count, int fillMode) {
  if (!points || count < 3) return FALSE;
  QPolygon polygon;
  for (int i = 0; i < count; ++i) polygon << QPoint(points[i].x, points[i].y);
  return Attach(NewRegion(QRegion(polygon, fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill)));
}
BOOL CRgn::CreateRoundRectRgn(int left, int top, int right, int bottom, int, int) {
  return CreateRectRgn(left, top, right, bottom);
}
void CRgn::SetRectRgn(int left, int top, int right, int bottom) {
  if (auto* r = R(m_hObject)) r->region = QRegion(RectOf(left, top, right, bottom));
}
void CRgn::SetRectRgn(LPCRECT rect) { SetRectRgn(rect->left, rect->top, rect->right, rect->bottom); }
int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode) {
  return ::CombineRgn(*this, a ? HRGN(*a) : nullptr, b ? HRGN(*b) : nullptr, mode);
}
int CRgn::CopyRgn(const CRgn* source) { return CombineRgn(source, nullptr, RGN_COPY); }
BOOL CRgn::EqualRgn(const CRgn* other) const {
  auto* a = R(m_hObject);
  auto* b = other ? R(other->m_hObject) : nullptr;
  return a && b && a->region == b->region;
}
int CRgn::OffsetRgn(int dx, int dy) {
  auto* r = R(m_hObject);
  if (!r) return ERROR;
  r->region.translate(dx, dy);
  return TypeOf(r->region);
}
int CRgn::GetRgnBox(LPRECT rect) const { return ::GetRgnBox(*this, rect); }
BOOL CRgn::PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
BOOL CRgn::RectInRegion(LPCRECT rect) const {
  auto* r = R(m_hObject);
  return r && rect && r->region.intersects(RectOf(rect->left, rect->top, rect->right, rect->bottom));
}
CRgn* CRgn::FromHandle(HRGN handle) { return static_cast<CRgn*>(CGdiObject::FromHandle(handle)); }
