// Lines, shapes, fills, edges and pixels, with the platform's pixel rules.

#include <QPaintEngine>
#include <QPolygon>
#include <cmath>
#include <vector>

#include "platform/gdi/Dc.h"
#include "platform/gdi/DcData.h"
#include "platform/gdi/SystemInfo.h"

namespace gdi {

namespace {

// The colour a binary raster operation gives for pen colour color on white: bit (P * 2 + D)
// of rop2 - 1 is the result for pen bit P and destination bit D.
QRgb Rop2OnWhite(int rop2, QRgb color) {
  const int table = rop2 - 1;
  return ((table & 8) ? color : 0) | ((table & 2) ? ~color : 0) | 0xFF000000;
}

}  // namespace

bool ApplyRop2(QPainter& painter, int rop2, QRgb& color) {
  if (rop2 == R2_NOP) return false;
  // The PDF engine claims raster operations but draws them as plain copies.
  if (painter.paintEngine()->type() != QPaintEngine::Raster) {
    color = Rop2OnWhite(rop2, color);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    return true;
  }
  QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
  switch (rop2) {
    case R2_BLACK:
      color = 0xFF000000;
      break;
    case R2_WHITE:
      color = 0xFFFFFFFF;
      break;
    case R2_NOT:
      mode = QPainter::RasterOp_NotDestination;
      break;
    case R2_XORPEN:
      mode = QPainter::RasterOp_SourceXorDestination;
      break;
    case R2_NOTXORPEN:
      mode = QPainter::RasterOp_NotSourceXorDestination;
      break;
    case R2_MASKPEN:
      mode = QPainter::RasterOp_SourceAndDestination;
      break;
    case R2_MERGEPEN:
      mode = QPainter::RasterOp_SourceOrDestination;
      break;
    case R2_NOTCOPYPEN:
      mode = QPainter::RasterOp_NotSource;
      break;
    case R2_NOTMERGEPEN:
      mode = QPainter::RasterOp_NotSourceAndNotDestination;
      break;
    case R2_MASKNOTPEN:
      mode = QPainter::RasterOp_NotSourceAndDestination;
      break;
    case R2_NOTMASKPEN:
      mode = QPainter::RasterOp_NotSourceOrNotDestination;
      break;
    case R2_MERGENOTPEN:
      mode = QPainter::RasterOp_NotSourceOrDestination;
      break;
    case R2_MERGEPENNOT:
      mode = QPainter::RasterOp_SourceOrNotDestination;
      break;
    case R2_MASKPENNOT:
      mode = QPainter::RasterOp_SourceAndNotDestination;
      break;
    default:
      break;
  }
  painter.setCompositionMode(mode);
  return true;
}

}  // namespace gdi

namespace {

// On/off run lengths of the styled one-pixel pens.
std::vector<DWORD> StylePattern(const gdi::PenData& pen) {
  switch (pen.style) {
    case PS_DASH:
      return {18, 6};
    case PS_DOT:
      return {3, 3};
    case PS_DASHDOT:
      return {9, 6, 3, 6};
    case PS_DASHDOTDOT:
      return {9, 3, 3, 3, 3, 3};
    case PS_ALTERNATE:
      return {1, 1};
    case PS_USERSTYLE:
      return pen.userStyle;
    default:
      return {};
  }
}

int DevicePenWidth(const DcData& d) {
  const gdi::PenData* pen = d.Pen();
  if (pen->style == PS_NULL) return 0;
  if (pen->width <= 1) return 1;
  return std::max(1, d.ToDeviceWidth(pen->width));
}

// The pixels of a line from a to b, without b.
void LinePixels(QPoint a, QPoint b, std::vector<QPoint>& out) {
  int x = a.x(), y = a.y();
  const int dx = std::abs(b.x() - x), dy = std::abs(b.y() - y);
  const int sx = x < b.x() ? 1 : -1, sy = y < b.y() ? 1 : -1;
  int err = dx - dy;
  while (x != b.x() || y != b.y()) {
    out.emplace_back(x, y);
    const int e2 = 2 * err;
    if (e2 > -dy) {
      err -= dy;
      x += sx;
    }
    if (e2 < dx) {
      err += dx;
      y += sy;
    }
  }
}

// The pixels of a horizontal or vertical line from a to b, without b.
QRect StraightSpan(QPoint a, QPoint b) {
  if (a.y() == b.y()) {
    return b.x() > a.x() ? QRect(a.x(), a.y(), b.x() - a.x(), 1) : QRect(b.x() + 1, a.y(), a.x() - b.x(), 1);
  }
  return b.y() > a.y() ? QRect(a.x(), a.y(), 1, b.y() - a.y()) : QRect(a.x(), b.y() + 1, 1, a.y() - b.y());
}

class Stroker {
 public:
  explicit Stroker(DcData& d)
      : m_d(d), m_pen(*d.Pen()), m_width(DevicePenWidth(d)), m_pattern(StylePattern(m_pen)) {
    // Wide pens draw every style as solid.
    if (m_width > 1) m_pattern.clear();
  }

  bool Visible() const { return m_width > 0 && m_d.st.rop2 != R2_NOP; }

  void Segment(QPoint a, QPoint b) {
    if (!Visible() || a == b) return;
    QPainter& p = m_d.Painter();
    QRgb color = gdi::ToRgb(m_pen.color);
    if (!gdi::ApplyRop2(p, m_d.st.rop2, color)) return;
    if (m_width > 1) {
      QPen pen{QColor(color), qreal(m_width), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin};
      p.setPen(pen);
      p.setBrush(Qt::NoBrush);
      p.drawLine(a, b);
      return;
    }
    if (m_pattern.empty() && (a.x() == b.x() || a.y() == b.y())) {
      p.fillRect(StraightSpan(a, b), QColor(color));
      return;
    }
    if (!m_d.HasPixels()) {
      DrawVectorLine(p, a, b, color);
      return;
    }
    m_points.clear();
    LinePixels(a, b, m_points);
    if (m_pattern.empty()) {
      p.setPen(QPen(QColor(color), 1));
      p.drawPoints(m_points.data(), int(m_points.size()));
      return;
    }
    std::vector<QPoint> on, off;
    for (const QPoint& pt : m_points) {
      (PatternOn() ? on : off).push_back(pt);
      Advance();
    }
    p.setPen(QPen(QColor(color), 1));
    p.drawPoints(on.data(), int(on.size()));
    if (m_d.st.bkMode == OPAQUE && !off.empty()) {
      QRgb gap = gdi::ToRgb(m_d.st.bkColor);
      gdi::ApplyRop2(p, m_d.st.rop2, gap);
      p.setPen(QPen(QColor(gap), 1));
      p.drawPoints(off.data(), int(off.size()));
    }
  }

 private:
  // A page without pixels takes the one-pixel line as a line through the pixel centres, its
  // style as a dash pattern (which restarts with every segment).
  void DrawVectorLine(QPainter& p, QPoint a, QPoint b, QRgb color) {
    const QLineF line(QPointF(a) + QPointF(0.5, 0.5), QPointF(b) + QPointF(0.5, 0.5));
    QPen pen(QColor(color), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    p.setBrush(Qt::NoBrush);
    if (!m_pattern.empty() && m_d.st.bkMode == OPAQUE) {
      QRgb gap = gdi::ToRgb(m_d.st.bkColor);
      gdi::ApplyRop2(p, m_d.st.rop2, gap);
      p.setPen(QPen(QColor(gap), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
      p.drawLine(line);
    }
    if (!m_pattern.empty()) {
      QList<qreal> dashes;
      for (DWORD run : m_pattern) dashes << qreal(std::max<DWORD>(1, run));
      if (dashes.size() % 2) dashes << dashes;
      pen.setDashPattern(dashes);
    }
    p.setPen(pen);
    p.drawLine(line);
  }

  bool PatternOn() const { return m_index % 2 == 0; }
  void Advance() {
    if (++m_run >= std::max<DWORD>(1, m_pattern[m_index])) {
      m_run = 0;
      m_index = (m_index + 1) % m_pattern.size();
    }
  }

  DcData& m_d;
  const gdi::PenData& m_pen;
  int m_width;
  std::vector<DWORD> m_pattern;
  std::vector<QPoint> m_points;
  std::size_t m_index = 0;
  DWORD m_run = 0;
};

// The selected brush as a painter brush: a hatch becomes a texture tile laid from the device
// origin; no brush for a null brush.
QBrush PainterBrush(const DcData& d, const gdi::BrushData& brush, QRgb solid) {
  if (brush.style == BS_NULL) return QBrush(Qt::NoBrush);
  if (brush.style == BS_SOLID) return QBrush(QColor(solid));
  QImage tile(8, 8, QImage::Format_ARGB32);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) tile.setPixel(x, y, gdi::BrushPixel(brush, x, y, d.st.bkColor, d.st.bkMode));
  return QBrush(tile);
}

QPoint Dev(const DcData& d, int x, int y) {
  POINT p = d.ToDevice(x, y);
  return QPoint(p.x, p.y);
}

// Fills device rectangle r with the selected brush (or the given brush), honouring the clip.
void FillDeviceRect(DcData& d, const QRect& r, const gdi::BrushData& brush, bool useRop2) {
  if (r.isEmpty() || brush.style == BS_NULL) return;
  if (brush.style == BS_SOLID) {
    QPainter& p = d.Painter();
    QRgb color = gdi::ToRgb(brush.color);
    if (useRop2) {
      if (!gdi::ApplyRop2(p, d.st.rop2, color)) return;
    } else {
      p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    p.fillRect(r, QColor(color));
    return;
  }
  d.ForEachPixel(r, [&](int x, int y, QRgb& pixel) {
    QRgb c = gdi::BrushPixel(brush, x, y, d.st.bkColor, d.st.bkMode);
    if (qAlpha(c)) pixel = c;
  });
}

void FillSolid(DcData& d, const QRect& r, COLORREF color) {
  if (r.isEmpty()) return;
  QPainter& p = d.Painter();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.fillRect(r, QColor(gdi::ToRgb(color)));
}

}  // namespace

CPoint CDC::GetCurrentPosition() const { return m_hDC->st.position; }

CPoint CDC::MoveTo(int x, int y) { return std::exchange(m_hDC->st.position, POINT{x, y}); }

BOOL CDC::LineTo(int x, int y) {
  DcData& d = *m_hDC;
  d.BeginDraw();
  Stroker(d).Segment(Dev(d, d.st.position.x, d.st.position.y), Dev(d, x, y));
  d.st.position = POINT{x, y};
  d.EndDraw();
  return TRUE;
}

BOOL CDC::Polyline(const POINT* points, int count) {
  if (!points || count < 2) return FALSE;
  DcData& d = *m_hDC;
  d.BeginDraw();
  Stroker stroker(d);
  for (int i = 1; i < count; ++i)
    stroker.Segment(Dev(d, points[i - 1].x, points[i - 1].y), Dev(d, points[i].x, points[i].y));
  d.EndDraw();
  return TRUE;
}

BOOL CDC::Polygon(const POINT* points, int count) {
  if (!points || count < 2) return FALSE;
  DcData& d = *m_hDC;
  d.BeginDraw();
  QPolygon polygon;
  for (int i = 0; i < count; ++i) polygon << Dev(d, points[i].x, points[i].y);
  const gdi::BrushData& brush = *d.Brush();
  if (brush.style != BS_NULL) {
    QPainter& p = d.Painter();
    QRgb color = gdi::ToRgb(brush.color);
    if (gdi::ApplyRop2(p, d.st.rop2, color)) {
      p.setPen(Qt::NoPen);
      p.setBrush(PainterBrush(d, brush, color));
      p.drawPolygon(polygon, d.st.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
      p.setBrush(Qt::NoBrush);
    }
  }
  Stroker stroker(d);
  for (int i = 0; i < count; ++i) stroker.Segment(polygon[i], polygon[(i + 1) % count]);
  d.EndDraw();
  return TRUE;
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
  DcData& d = *m_hDC;
  QRect r = d.ToDeviceRect(left, top, right, bottom);
  if (r.isEmpty()) return TRUE;
  d.BeginDraw();
  const int w = DevicePenWidth(d);
  // Without a pen the platform fills one pixel less to the right and below.
  QRect inside = w == 0 ? r.adjusted(0, 0, -1, -1) : r.adjusted(w, w, -w, -w);
  FillDeviceRect(d, inside, *d.Brush(), true);
  if (w > 0 && d.st.rop2 != R2_NOP) {
    const QPoint tl = r.topLeft();
    const QPoint br(r.left() + r.width() - 1, r.top() + r.height() - 1);
    if (w == 1 && !StylePattern(*d.Pen()).empty()) {
      Stroker s(d);
      s.Segment(tl, QPoint(br.x(), tl.y()));
      s.Segment(QPoint(br.x(), tl.y()), br);
      s.Segment(br, QPoint(tl.x(), br.y()));
      s.Segment(QPoint(tl.x(), br.y()), tl);
    } else {
      QPainter& p = d.Painter();
      QRgb color = gdi::ToRgb(d.Pen()->color);
      gdi::ApplyRop2(p, d.st.rop2, color);
      const int bw = std::min(w, r.width());
      const int bh = std::min(w, r.height());
      p.fillRect(QRect(r.left(), r.top(), r.width(), bh), QColor(color));
      if (r.height() > bh) p.fillRect(QRect(r.left(), r.bottom() - bh + 1, r.width(), bh), QColor(color));
      const int midH = r.height() - 2 * bh;
      if (midH > 0) {
        p.fillRect(QRect(r.left(), r.top() + bh, bw, midH), QColor(color));
        if (r.width() > bw) p.fillRect(QRect(r.right() - bw + 1, r.top() + bh, bw, midH), QColor(color));
      }
    }
  }
  d.EndDraw();
  return TRUE;
}

BOOL CDC::RoundRect(int left, int top, int right, int bottom, int width, int height) {
  DcData& d = *m_hDC;
  QRect r = d.ToDeviceRect(left, top, right, bottom);
  if (r.width() < 2 || r.height() < 2) return TRUE;
  d.BeginDraw();
  QPainter& p = d.Painter();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  const gdi::BrushData& brush = *d.Brush();
  p.setBrush(PainterBrush(d, brush, gdi::ToRgb(brush.color)));
  const int w = DevicePenWidth(d);
  p.setPen(w > 0 ? QPen(QColor(gdi::ToRgb(d.Pen()->color)), w) : QPen(Qt::NoPen));
  p.drawRoundedRect(QRect(r.left(), r.top(), r.width() - 1, r.height() - 1), d.ToDeviceWidth(width) / 2.0,
                    d.ToDeviceHeight(height) / 2.0);
  p.setBrush(Qt::NoBrush);
  d.EndDraw();
  return TRUE;
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom) {
  DcData& d = *m_hDC;
  QRect r = d.ToDeviceRect(left, top, right, bottom);
  if (r.width() < 2 || r.height() < 2) return TRUE;
  d.BeginDraw();
  QPainter& p = d.Painter();
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  const gdi::BrushData& brush = *d.Brush();
  const int w = DevicePenWidth(d);
  const QRect box(r.left(), r.top(), r.width() - 1, r.height() - 1);
  if (brush.style != BS_NULL) {
    p.setPen(Qt::NoPen);
    p.setBrush(PainterBrush(d, brush, gdi::ToRgb(brush.color)));
    p.drawEllipse(box);
    p.setBrush(Qt::NoBrush);
  }
  if (w > 0) {
    p.setPen(QPen(QColor(gdi::ToRgb(d.Pen()->color)), w == 1 ? 0 : w));
    p.drawEllipse(box);
  }
  d.EndDraw();
  return TRUE;
}

void CDC::FillRect(LPCRECT rect, CBrush* brush) {
  if (!rect || !brush) return;
  DcData& d = *m_hDC;
  auto* data = gdi::Data<gdi::BrushData>(brush->m_hObject);
  if (!data) return;
  d.BeginDraw();
  FillDeviceRect(d, d.ToDeviceRect(rect->left, rect->top, rect->right, rect->bottom), *data, false);
  d.EndDraw();
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush) {
  if (!rect || !brush) return;
  DcData& d = *m_hDC;
  auto* data = gdi::Data<gdi::BrushData>(brush->m_hObject);
  QRect r = d.ToDeviceRect(rect->left, rect->top, rect->right, rect->bottom);
  if (!data || r.isEmpty()) return;
  d.BeginDraw();
  FillDeviceRect(d, QRect(r.left(), r.top(), r.width(), 1), *data, false);
  FillDeviceRect(d, QRect(r.left(), r.bottom(), r.width(), 1), *data, false);
  FillDeviceRect(d, QRect(r.left(), r.top(), 1, r.height()), *data, false);
  FillDeviceRect(d, QRect(r.right(), r.top(), 1, r.height()), *data, false);
  d.EndDraw();
}

void CDC::InvertRect(LPCRECT rect) {
  if (!rect) return;
  DcData& d = *m_hDC;
  d.BeginDraw();
  QPainter& p = d.Painter();
  QRgb color = 0xFF000000;
  gdi::ApplyRop2(p, R2_NOT, color);
  p.fillRect(d.ToDeviceRect(rect->left, rect->top, rect->right, rect->bottom), QColor(color));
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  d.EndDraw();
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
  if (!rect) return;
  DcData& d = *m_hDC;
  d.st.bkColor = color & 0xFFFFFF;
  d.BeginDraw();
  FillSolid(d, d.ToDeviceRect(rect->left, rect->top, rect->right, rect->bottom), color);
  d.EndDraw();
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
  RECT r{x, y, x + cx, y + cy};
  FillSolidRect(&r, color);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) {
  Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
  FillSolidRect(x, y, cx - 1, 1, topLeft);
  FillSolidRect(x, y, 1, cy - 1, topLeft);
  FillSolidRect(x + cx, y, -1, cy, bottomRight);
  FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags) {
  if (!rect) return FALSE;
  CRect r(*rect);
  struct Ring {
    UINT raised, sunken;
    int raisedTL, raisedBR, sunkenTL, sunkenBR;
  };
  const Ring rings[2] = {{BDR_RAISEDOUTER, BDR_SUNKENOUTER, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNSHADOW,
                          COLOR_BTNHIGHLIGHT},
                         {BDR_RAISEDINNER, BDR_SUNKENINNER, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW,
                          COLOR_3DDKSHADOW, COLOR_3DLIGHT}};
  for (const Ring& ring : rings) {
    const bool raised = edge & ring.raised;
    const bool sunken = edge & ring.sunken;
    if (!raised && !sunken) continue;
    COLORREF tl = GetSysColor(raised ? ring.raisedTL : ring.sunkenTL);
    COLORREF br = GetSysColor(raised ? ring.raisedBR : ring.sunkenBR);
    if (flags & BF_MONO) tl = br = GetSysColor(COLOR_WINDOWFRAME);
    if (flags & BF_FLAT) tl = br = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF keepBk = GetBkColor();
    if (flags & BF_TOP) FillSolidRect(r.left, r.top, r.Width() - ((flags & BF_RIGHT) ? 1 : 0), 1, tl);
    if (flags & BF_LEFT) FillSolidRect(r.left, r.top, 1, r.Height() - ((flags & BF_BOTTOM) ? 1 : 0), tl);
    if (flags & BF_RIGHT) FillSolidRect(r.right - 1, r.top, 1, r.Height(), br);
    if (flags & BF_BOTTOM) FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, br);
    SetBkColor(keepBk);
    r.DeflateRect((flags & BF_LEFT) ? 1 : 0, (flags & BF_TOP) ? 1 : 0, (flags & BF_RIGHT) ? 1 : 0,
                  (flags & BF_BOTTOM) ? 1 : 0);
  }
  if (flags & BF_MIDDLE) {
    const COLORREF keepBk = GetBkColor();
    FillSolidRect(r, GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
    SetBkColor(keepBk);
  }
  if (flags & BF_ADJUST) *rect = r;
  return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color) {
  if (!SetPixelV(x, y, color)) return CLR_INVALID;
  return m_hDC->HasPixels() ? GetPixel(x, y) : color & 0xFFFFFF;
}

namespace {

// The row of a DIB section's own memory that holds image row y.
BYTE* DibRow(const gdi::BitmapData& b, int y) {
  const int row = b.dib->header.biHeight > 0 ? b.image.height() - 1 - y : y;
  return b.dib->bits + std::size_t(row) * std::size_t(b.dib->stride);
}

}  // namespace

// Pixels of DIB sections are read and written in the section's memory directly, which is
// what the next drawing call reads in.
BOOL CDC::SetPixelV(int x, int y, COLORREF color) {
  DcData& d = *m_hDC;
  POINT p = d.ToDevice(x, y);
  if (!d.DeviceClip().contains(QPoint(p.x, p.y))) return FALSE;
  QRgb value = gdi::ToRgb(color);
  gdi::BitmapData* b = d.SurfaceBitmap();
  if (d.kind == DcData::Kind::Memory && b && b->dib) {
    gdi::WriteDibPixel(DibRow(*b, p.y), p.x, b->dib->header.biBitCount, b->dib->table, value);
    return TRUE;
  }
  if (!d.HasPixels()) {
    QPainter& painter = d.Painter();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.fillRect(QRect(p.x, p.y, 1, 1), QColor(value));
    return TRUE;
  }
  QImage& image = d.RawSurface();
  if (d.MonoSurface()) value = gdi::IsWhiteish(value) ? 0xFFFFFFFF : 0xFF000000;
  reinterpret_cast<QRgb*>(image.scanLine(p.y))[p.x] = value;
  return TRUE;
}

COLORREF CDC::GetPixel(int x, int y) const {
  DcData& d = *m_hDC;
  POINT p = d.ToDevice(x, y);
  if (!d.DeviceClip().contains(QPoint(p.x, p.y))) return CLR_INVALID;
  gdi::BitmapData* b = d.SurfaceBitmap();
  if (d.kind == DcData::Kind::Memory && b && b->dib)
    return gdi::ToColorRef(gdi::ReadDibPixel(DibRow(*b, p.y), p.x, b->dib->header.biBitCount, b->dib->table));
  // What lies on a PDF's or printer's page cannot be read back.
  if (!d.HasPixels()) return CLR_INVALID;
  const QImage& image = d.RawSurface();
  return gdi::ToColorRef(reinterpret_cast<const QRgb*>(image.constScanLine(p.y))[p.x]);
}
