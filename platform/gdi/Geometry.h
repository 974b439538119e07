#pragma once
// Points, sizes and rectangles as the drawing and window code uses them. Rectangles are
// right- and bottom-exclusive unless a caller says otherwise.

#include <algorithm>

#include "platform/base/WinTypes.h"

struct POINT {
  LONG x;
  LONG y;
};
struct SIZE {
  LONG cx;
  LONG cy;
};
struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
using LPPOINT = POINT*;
using LPSIZE = SIZE*;
using LPRECT = RECT*;
using LPCRECT = const RECT*;
using LPCPOINT = const POINT*;

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT rect);
BOOL IsRectEmpty(LPCRECT rect);
BOOL PtInRect(LPCRECT rect, POINT point);
// Empty result (and FALSE) when the two do not overlap.
BOOL IntersectRect(LPRECT dst, LPCRECT a, LPCRECT b);

class CSize : public SIZE {
 public:
  CSize() : SIZE{0, 0} {}
  CSize(int x, int y) : SIZE{x, y} {}
  CSize(SIZE s) : SIZE(s) {}
  bool operator==(const SIZE& o) const { return cx == o.cx && cy == o.cy; }
  bool operator!=(const SIZE& o) const { return !(*this == o); }
  CSize& operator+=(SIZE o) {
    cx += o.cx;
    cy += o.cy;
    return *this;
  }
  CSize& operator-=(SIZE o) {
    cx -= o.cx;
    cy -= o.cy;
    return *this;
  }
  CSize operator+(SIZE o) const { return CSize(cx + o.cx, cy + o.cy); }
  CSize operator-(SIZE o) const { return CSize(cx - o.cx, cy - o.cy); }
  CSize operator-() const { return CSize(-cx, -cy); }
};

class CPoint : public POINT {
 public:
  CPoint() : POINT{0, 0} {}
  CPoint(int px, int py) : POINT{px, py} {}
  CPoint(POINT p) : POINT(p) {}
  explicit CPoint(SIZE s) : POINT{s.cx, s.cy} {}
  void Offset(int dx, int dy) {
    x += dx;
    y += dy;
  }
  void Offset(POINT p) { Offset(p.x, p.y); }
  void Offset(SIZE s) { Offset(s.cx, s.cy); }
  bool operator==(const POINT& o) const { return x == o.x && y == o.y; }
  bool operator!=(const POINT& o) const { return !(*this == o); }
  CPoint& operator+=(SIZE s) {
    Offset(s);
    return *this;
  }
  CPoint& operator-=(SIZE s) {
    Offset(-s.cx, -s.cy);
    return *this;
  }
  CPoint& operator+=(POINT p) {
    Offset(p);
    return *this;
  }
  CPoint& operator-=(POINT p) {
    Offset(-p.x, -p.y);
    return *this;
  }
  CPoint operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
  CPoint operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
  CPoint operator+(POINT p) const { return CPoint(x + p.x, y + p.y); }
  // The difference of two points is a size, as in the framework.
  CSize operator-(POINT p) const { return CSize(x - p.x, y - p.y); }
  CPoint operator-() const { return CPoint(-x, -y); }
};

class CRect : public RECT {
 public:
  CRect() : RECT{0, 0, 0, 0} {}
  CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  CRect(const RECT& r) : RECT(r) {}
  CRect(LPCRECT r) : RECT(*r) {}
  CRect(POINT p, SIZE s) : RECT{p.x, p.y, p.x + s.cx, p.y + s.cy} {}
  CRect(POINT topLeft, POINT bottomRight) : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint TopLeft() const { return CPoint(left, top); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
  bool IsRectEmpty() const { return right <= left || bottom <= top; }
  bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }

  void SetRect(int l, int t, int r, int b) {
    left = l;
    top = t;
    right = r;
    bottom = b;
  }
  void SetRect(POINT topLeft, POINT bottomRight) {
    SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
  }
  void SetRectEmpty() { SetRect(0, 0, 0, 0); }
  bool EqualRect(LPCRECT r) const {
    return left == r->left && top == r->top && right == r->right && bottom == r->bottom;
  }
  void InflateRect(int x, int y) { InflateRect(x, y, x, y); }
  void InflateRect(SIZE s) { InflateRect(s.cx, s.cy); }
  void InflateRect(LPCRECT r) { InflateRect(r->left, r->top, r->right, r->bottom); }
  void InflateRect(int l, int t, int r, int b) {
    left -= l;
    top -= t;
    right += r;
    bottom += b;
  }
  void DeflateRect(int x, int y) { InflateRect(-x, -y); }
  void DeflateRect(SIZE s) { InflateRect(-s.cx, -s.cy); }
  void DeflateRect(LPCRECT r) { InflateRect(-r->left, -r->top, -r->right, -r->bottom); }
  void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
  void OffsetRect(int x, int y) {
    left += x;
    right += x;
    top += y;
    bottom += y;
  }
  void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
  void OffsetRect(SIZE s) { OffsetRect(s.cx, s.cy); }
  void MoveToX(int x) {
    right += x - left;
    left = x;
  }
  void MoveToY(int y) {
    bottom += y - top;
    top = y;
  }
  void MoveToXY(int x, int y) {
    MoveToX(x);
    MoveToY(y);
  }
  void MoveToXY(POINT p) { MoveToXY(p.x, p.y); }
  BOOL IntersectRect(LPCRECT a, LPCRECT b) { return ::IntersectRect(this, a, b); }

  bool operator==(const RECT& r) const { return EqualRect(&r); }
  bool operator!=(const RECT& r) const { return !EqualRect(&r); }
  CRect& operator+=(POINT p) {
    OffsetRect(p);
    return *this;
  }
  CRect& operator+=(SIZE s) {
    OffsetRect(s);
    return *this;
  }
  CRect& operator-=(POINT p) {
    OffsetRect(-p.x, -p.y);
    return *this;
  }
  CRect& operator-=(SIZE s) {
    OffsetRect(-s.cx, -s.cy);
    return *this;
  }
  CRect& operator&=(const RECT& r) {
    ::IntersectRect(this, this, &r);
    return *this;
  }
  CRect operator+(POINT p) const {
    CRect r(*this);
    r.OffsetRect(p);
    return r;
  }
  CRect operator-(POINT p) const {
    CRect r(*this);
    r.OffsetRect(-p.x, -p.y);
    return r;
  }
  CRect operator+(SIZE s) const {
    CRect r(*this);
    r.OffsetRect(s);
    return r;
  }
  CRect operator-(SIZE s) const {
    CRect r(*this);
    r.OffsetRect(-s.cx, -s.cy);
    return r;
  }
  CRect operator&(const RECT& o) const {
    CRect r;
    ::IntersectRect(&r, this, &o);
    return r;
  }
};
