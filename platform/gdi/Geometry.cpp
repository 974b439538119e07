#include "platform/gdi/Geometry.h"

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
  if (!rect) return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}

BOOL SetRectEmpty(LPRECT rect) { return SetRect(rect, 0, 0, 0, 0); }

BOOL CopyRect(LPRECT dst, LPCRECT src) {
  if (!dst || !src) return FALSE;
  *dst = *src;
  return TRUE;
}

BOOL IsRectEmpty(LPCRECT rect) { return !rect || rect->right <= rect->left || rect->bottom <= rect->top; }

BOOL EqualRect(LPCRECT a, LPCRECT b) {
  return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL PtInRect(LPCRECT rect, POINT p) {
  return rect && p.x >= rect->left && p.x < rect->right && p.y >= rect->top && p.y < rect->bottom;
}

BOOL InflateRect(LPRECT rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left -= dx;
  rect->right += dx;
  rect->top -= dy;
  rect->bottom += dy;
  return TRUE;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left += dx;
  rect->right += dx;
  rect->top += dy;
  rect->bottom += dy;
  return TRUE;
}

BOOL IntersectRect(LPRECT dst, LPCRECT a, LPCRECT b) {
  if (!dst || !a || !b) return FALSE;
  RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
         std::min(a->bottom, b->bottom)};
  if (IsRectEmpty(a) || IsRectEmpty(b) || IsRectEmpty(&r)) {
    *dst = RECT{0, 0, 0, 0};
    return FALSE;
  }
  *dst = r;
  return TRUE;
}

BOOL UnionRect(LPRECT dst, LPCRECT a, LPCRECT b) {
  if (!dst || !a || !b) return FALSE;
  const bool emptyA = IsRectEmpty(a), emptyB = IsRectEmpty(b);
  if (emptyA && emptyB) {
    *dst = RECT{0, 0, 0, 0};
    return FALSE;
  }
  if (emptyA) {
    *dst = *b;
    return TRUE;
  }
  if (emptyB) {
    *dst = *a;
    return TRUE;
  }
  *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
              std::max(a->bottom, b->bottom)};
  return TRUE;
}

// a minus b, when b covers a whole side of a; otherwise a unchanged.
BOOL SubtractRect(LPRECT dst, LPCRECT a, LPCRECT b) {
  if (!dst || !a || !b) return FALSE;
  RECT r = *a;
  RECT overlap;
  if (IntersectRect(&overlap, a, b)) {
    const bool fullWidth = overlap.left == a->left && overlap.right == a->right;
    const bool fullHeight = overlap.top == a->top && overlap.bottom == a->bottom;
    if (fullWidth && fullHeight) {
      r = RECT{0, 0, 0, 0};
    } else if (fullWidth && overlap.top == a->top) {
      r.top = overlap.bottom;
    } else if (fullWidth && overlap.bottom == a->bottom) {
      r.bottom = overlap.top;
    } else if (fullHeight && overlap.left == a->left) {
      r.left = overlap.right;
    } else if (fullHeight && overlap.right == a->right) {
      r.right = overlap.left;
    }
  }
  *dst = r;
  return !IsRectEmpty(&r);
}
