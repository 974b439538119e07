// Bit-block transfers with ternary raster operations, transparent and alpha blits, gradients.

#include <cmath>

#include "platform/gdi/Dc.h"
#include "platform/gdi/DcData.h"
#include "platform/gdi/PagePicture.h"

namespace {

bool UsesSource(DWORD rop) {
  const BYTE t = BYTE(rop >> 16);
  return ((t >> 2) & 0x33) != (t & 0x33);
}

bool UsesPattern(DWORD rop) {
  const BYTE t = BYTE(rop >> 16);
  return ((t >> 4) & 0x0F) != (t & 0x0F);
}

// The raster operation's truth table applied to every bit: index P*4 + S*2 + D.
QRgb Rop3(BYTE table, QRgb p, QRgb s, QRgb d) {
  switch (table) {
    case 0xCC:
      return s;
    case 0x88:
      return s & d;
    case 0xEE:
      return s | d;
    case 0x66:
      return s ^ d;
    case 0xF0:
      return p;
    case 0x55:
      return ~d;
    case 0x33:
      return ~s;
    case 0x00:
      return 0;
    case 0xFF:
      return ~QRgb(0);
    case 0x5A:
      return p ^ d;
    case 0x44:
      return s & ~d;
    case 0xBB:
      return ~s | d;
    default:
      break;
  }
  QRgb result = 0;
  for (int i = 0; i < 8; ++i) {
    if (!(table & (1 << i))) continue;
    result |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  }
  return result;
}

struct Mapping {
  QRect dst;  // device, normalized
  QRect src;  // device of the source, normalized
  bool flipX = false;
  bool flipY = false;
};

bool MakeMapping(const DcData& dst, int x, int y, int w, int h, const DcData* src, int xs, int ys, int ws,
                 int hs, Mapping& m) {
  POINT a = dst.ToDevice(x, y);
  POINT b = dst.ToDevice(x + w, y + h);
  m.dst = QRect(std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y));
  bool dstFlipX = b.x < a.x, dstFlipY = b.y < a.y;
  bool srcFlipX = false, srcFlipY = false;
  if (src) {
    POINT c = src->ToDevice(xs, ys);
    POINT e = src->ToDevice(xs + ws, ys + hs);
    m.src = QRect(std::min(c.x, e.x), std::min(c.y, e.y), std::abs(e.x - c.x), std::abs(e.y - c.y));
    srcFlipX = e.x < c.x;
    srcFlipY = e.y < c.y;
  }
  m.flipX = dstFlipX != srcFlipX;
  m.flipY = dstFlipY != srcFlipY;
  return !m.dst.isEmpty() && (!src || !m.src.isEmpty());
}

int SourceIndex(int offset, int dstSize, int srcSize, bool flip) {
  int i = dstSize == srcSize ? offset : int((long long)offset * srcSize / dstSize);
  return flip ? srcSize - 1 - i : i;
}

// A source pixel as the destination sees it: monochrome bitmaps take the destination's text
// (0) and background (1) colours; colour pixels going into a monochrome bitmap become 1
// where they equal the source's background colour.
QRgb ConvertSource(QRgb s, bool srcMono, bool dstMono, const DcData& src, const DcData& dst) {
  if (srcMono && !dstMono)
    return gdi::IsWhiteish(s) ? gdi::ToRgb(dst.st.bkColor) : gdi::ToRgb(dst.st.textColor);
  if (!srcMono && dstMono)
    return (s & 0xFFFFFF) == (gdi::ToRgb(src.st.bkColor) & 0xFFFFFF) ? 0xFFFFFFFF : 0xFF000000;
  return s;
}

bool KeepsAlpha(const DcData& dc) {
  return dc.HasPixels() && dc.Surface()->format() == QImage::Format_ARGB32;
}

// A page without pixels: a plain copy of a colour picture goes onto the page as the picture
// itself, at the source's own resolution.
bool CopyPicture(DcData& dst, const Mapping& m, const QImage& source) {
  QImage part = source.copy(m.src).convertToFormat(QImage::Format_RGB32);
  if (m.flipX || m.flipY) part = part.mirrored(m.flipX, m.flipY);
  PaintPagePicture(dst.Painter(), m.dst, part);
  return true;
}

// A plain copy of colour pixels at their own size: row by row, with what the pixel-wise
// operation gives (the source, opaque unless the target keeps alpha).
void CopyPixels(DcData& dst, const Mapping& m, const QImage& source, bool keepAlpha) {
  const QPoint shift = m.src.topLeft() - m.dst.topLeft();
  const QRect reachable = source.rect().translated(-shift);
  const QRegion region = dst.DeviceClip().intersected(m.dst.intersected(reachable));
  QImage& image = dst.RawSurface();
  const QRgb opaque = keepAlpha ? 0 : 0xFF000000;
  for (const QRect& part : region) {
    for (int y = part.top(); y <= part.bottom(); ++y) {
      auto* to = reinterpret_cast<QRgb*>(image.scanLine(y)) + part.left();
      const auto* from =
          reinterpret_cast<const QRgb*>(source.constScanLine(y + shift.y())) + part.left() + shift.x();
      for (int x = 0; x < part.width(); ++x) to[x] = from[x] | opaque;
    }
  }
}

BOOL RasterBlit(DcData& dst, const Mapping& m, DcData* src, DWORD rop) {
  const BYTE table = BYTE(rop >> 16);
  const bool useSource = UsesSource(rop);
  if (useSource && !src) return FALSE;
  const bool usePattern = UsesPattern(rop);
  dst.BeginDraw();
  if (useSource && src != &dst) src->BeginDraw();
  const bool dstMono = dst.MonoSurface();
  const bool srcMono = useSource && src->MonoSurface();
  const bool keepAlpha = KeepsAlpha(dst);
  // A copy when source and target are the same image, so overlapping moves read the old pixels.
  QImage sourceCopy;
  const QImage* sourceImage = nullptr;
  if (useSource) {
    sourceImage = src->Surface();
    // A PDF's or printer's page cannot be read back.
    if (!sourceImage) return FALSE;
    if (!dst.HasPixels() && table == 0xCC && !srcMono) return CopyPicture(dst, m, *sourceImage);
    if (sourceImage == dst.Surface()) {
      sourceCopy = sourceImage->copy();
      sourceImage = &sourceCopy;
    }
  }
  const gdi::BrushData& brush = *dst.Brush();
  const bool paper = !dst.HasPixels();
  if (table == 0xCC && !paper && !srcMono && !dstMono && m.src.size() == m.dst.size() && !m.flipX &&
      !m.flipY) {
    CopyPixels(dst, m, *sourceImage, keepAlpha);
    dst.EndDraw();
    return TRUE;
  }
  dst.ForEachPixel(m.dst, [&](int x, int y, QRgb& d) {
    QRgb s = 0, p = 0;
    if (useSource) {
      const int sx = m.src.left() + SourceIndex(x - m.dst.left(), m.dst.width(), m.src.width(), m.flipX);
      const int sy = m.src.top() + SourceIndex(y - m.dst.top(), m.dst.height(), m.src.height(), m.flipY);
      if (sx < 0 || sy < 0 || sx >= sourceImage->width() || sy >= sourceImage->height()) return;
      s = ConvertSource(reinterpret_cast<const QRgb*>(sourceImage->constScanLine(sy))[sx], srcMono, dstMono,
                        *src, dst);
    }
    if (usePattern) {
      p = gdi::BrushPixel(brush, x, y, dst.st.bkColor, OPAQUE);
      if (dstMono) p = gdi::IsWhiteish(p) ? 0xFFFFFFFF : 0xFF000000;
    }
    if (paper) {
      // What lies beneath cannot be read: a pixel that the operation would leave as it is
      // stays untouched, any other gets what the operation gives on white paper.
      const QRgb onWhite = Rop3(table, p, s, 0xFFFFFFFF) | 0xFF000000;
      const QRgb onBlack = Rop3(table, p, s, 0xFF000000) | 0xFF000000;
      if (onWhite != 0xFFFFFFFF || onBlack != 0xFF000000) d = onWhite;
      return;
    }
    QRgb r = Rop3(table, p, s, d);
    d = keepAlpha ? r : (r | 0xFF000000);
  });
  dst.EndDraw();
  return TRUE;
}

BYTE Blend(int s, int d, int alpha) { return BYTE((s * alpha + d * (255 - alpha) + 127) / 255); }

// A premultiplied source pixel scaled by a constant alpha, as a pixel with straight alpha.
QRgb StraightAlpha(QRgb premultiplied, int constant) {
  const int alpha = (qAlpha(premultiplied) * constant + 127) / 255;
  if (alpha == 0) return 0;
  auto channel = [&](int v) { return std::min(255, (v * constant + alpha / 2) / alpha); };
  return qRgba(channel(qRed(premultiplied)), channel(qGreen(premultiplied)), channel(qBlue(premultiplied)),
               alpha);
}

}  // namespace

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop) {
  DcData* s = src ? src->m_hDC : nullptr;
  Mapping m;
  if (!MakeMapping(*m_hDC, x, y, width, height, UsesSource(rop) ? s : nullptr, xSrc, ySrc, width, height, m))
    return UsesSource(rop) && !s ? FALSE : TRUE;
  return RasterBlit(*m_hDC, m, s, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                     int srcHeight, DWORD rop) {
  DcData* s = src ? src->m_hDC : nullptr;
  Mapping m;
  if (!MakeMapping(*m_hDC, x, y, width, height, UsesSource(rop) ? s : nullptr, xSrc, ySrc, srcWidth,
                   srcHeight, m))
    return UsesSource(rop) && !s ? FALSE : TRUE;
  return RasterBlit(*m_hDC, m, s, rop);
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) {
  if (UsesSource(rop)) return FALSE;
  Mapping m;
  if (!MakeMapping(*m_hDC, x, y, width, height, nullptr, 0, 0, 0, 0, m)) return TRUE;
  return RasterBlit(*m_hDC, m, nullptr, rop);
}

BOOL CDC::TransparentBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                         int srcHeight, UINT transparent) {
  if (!src || width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0) return FALSE;
  DcData& dst = *m_hDC;
  DcData& s = *src->m_hDC;
  Mapping m;
  if (!MakeMapping(dst, x, y, width, height, &s, xSrc, ySrc, srcWidth, srcHeight, m)) return TRUE;
  if (!s.HasPixels()) return FALSE;
  dst.BeginDraw();
  if (&s != &dst) s.BeginDraw();
  const QImage source = s.Surface()->copy();
  const bool srcMono = s.MonoSurface();
  const bool dstMono = dst.MonoSurface();
  const QRgb key = gdi::ToRgb(transparent) & 0xFFFFFF;
  dst.ForEachPixel(m.dst, [&](int px, int py, QRgb& d) {
    const int sx = m.src.left() + SourceIndex(px - m.dst.left(), m.dst.width(), m.src.width(), m.flipX);
    const int sy = m.src.top() + SourceIndex(py - m.dst.top(), m.dst.height(), m.src.height(), m.flipY);
    if (sx < 0 || sy < 0 || sx >= source.width() || sy >= source.height()) return;
    const QRgb raw = reinterpret_cast<const QRgb*>(source.constScanLine(sy))[sx];
    if ((raw & 0xFFFFFF) == key) return;
    d = ConvertSource(raw, srcMono, dstMono, s, dst) | 0xFF000000;
  });
  dst.EndDraw();
  return TRUE;
}

// Constant alpha: d = s * a + d * (1 - a). Per-pixel alpha (premultiplied source): the
// source, scaled by the constant alpha, is laid over d = s' + d * (1 - alpha(s')). Each step
// rounds to the nearest value.
BOOL CDC::AlphaBlend(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                     int srcHeight, BLENDFUNCTION blend) {
  if (!src || blend.BlendOp != AC_SRC_OVER || width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0)
    return FALSE;
  DcData& dst = *m_hDC;
  DcData& s = *src->m_hDC;
  Mapping m;
  if (!MakeMapping(dst, x, y, width, height, &s, xSrc, ySrc, srcWidth, srcHeight, m)) return TRUE;
  // The platform refuses a source rectangle outside the source.
  if (!s.HasPixels() || !s.Surface()->rect().contains(m.src)) return FALSE;
  dst.BeginDraw();
  if (&s != &dst) s.BeginDraw();
  const QImage source = s.Surface()->copy();
  const int constant = blend.SourceConstantAlpha;
  const bool perPixel = blend.AlphaFormat & AC_SRC_ALPHA;
  const bool keepAlpha = KeepsAlpha(dst);
  const bool paper = !dst.HasPixels();
  dst.ForEachPixel(m.dst, [&](int px, int py, QRgb& d) {
    const int sx = m.src.left() + SourceIndex(px - m.dst.left(), m.dst.width(), m.src.width(), m.flipX);
    const int sy = m.src.top() + SourceIndex(py - m.dst.top(), m.dst.height(), m.src.height(), m.flipY);
    const QRgb sp = reinterpret_cast<const QRgb*>(source.constScanLine(sy))[sx];
    if (paper) {
      // The painter lays the source over the page, with the alpha the blend gives it.
      d = perPixel ? StraightAlpha(sp, constant) : qRgba(qRed(sp), qGreen(sp), qBlue(sp), constant);
      return;
    }
    int r, g, b, a;
    if (!perPixel) {
      r = Blend(qRed(sp), qRed(d), constant);
      g = Blend(qGreen(sp), qGreen(d), constant);
      b = Blend(qBlue(sp), qBlue(d), constant);
      a = Blend(qAlpha(sp), qAlpha(d), constant);
    } else {
      auto scale = [&](int v) { return (v * constant + 127) / 255; };
      const int sa = scale(qAlpha(sp));
      auto over = [&](int sv, int dv) { return std::min(255, scale(sv) + (dv * (255 - sa) + 127) / 255); };
      r = over(qRed(sp), qRed(d));
      g = over(qGreen(sp), qGreen(d));
      b = over(qBlue(sp), qBlue(d));
      a = std::min(255, sa + (qAlpha(d) * (255 - sa) + 127) / 255);
    }
    d = qRgba(r, g, b, keepAlpha ? a : 255);
  });
  dst.EndDraw();
  return TRUE;
}

namespace {

int Channel(COLOR16 v) { return v >> 8; }

int Lerp(int a, int b, int i, int n) { return n <= 0 ? a : a + (b - a) * i / n; }

void FillGradientRect(DcData& d, const TRIVERTEX& v1, const TRIVERTEX& v2, bool vertical) {
  POINT p1 = d.ToDevice(v1.x, v1.y);
  POINT p2 = d.ToDevice(v2.x, v2.y);
  const TRIVERTEX* first = &v1;
  const TRIVERTEX* second = &v2;
  // The colours belong to the vertices: swap them with the corners.
  if ((vertical ? p1.y > p2.y : p1.x > p2.x)) {
    std::swap(p1, p2);
    std::swap(first, second);
  }
  const QRect r(std::min(p1.x, p2.x), std::min(p1.y, p2.y), std::abs(p2.x - p1.x), std::abs(p2.y - p1.y));
  if (r.isEmpty()) return;
  const int n = vertical ? r.height() : r.width();
  d.ForEachPixel(r, [&](int x, int y, QRgb& px) {
    const int i = vertical ? y - r.top() : x - r.left();
    px = qRgb(Lerp(Channel(first->Red), Channel(second->Red), i, n),
              Lerp(Channel(first->Green), Channel(second->Green), i, n),
              Lerp(Channel(first->Blue), Channel(second->Blue), i, n));
  });
}

void FillGradientTriangle(DcData& d, const TRIVERTEX& a, const TRIVERTEX& b, const TRIVERTEX& c) {
  const POINT pa = d.ToDevice(a.x, a.y), pb = d.ToDevice(b.x, b.y), pc = d.ToDevice(c.x, c.y);
  const double area = double(pb.x - pa.x) * (pc.y - pa.y) - double(pc.x - pa.x) * (pb.y - pa.y);
  if (area == 0) return;
  const int left = std::min({pa.x, pb.x, pc.x}), right = std::max({pa.x, pb.x, pc.x});
  const int top = std::min({pa.y, pb.y, pc.y}), bottom = std::max({pa.y, pb.y, pc.y});
  d.ForEachPixel(QRect(left, top, right - left, bottom - top), [&](int x, int y, QRgb& px) {
    const double cx = x + 0.5, cy = y + 0.5;
    const double wa = ((pb.x - cx) * (pc.y - cy) - (pc.x - cx) * (pb.y - cy)) / area;
    const double wb = ((pc.x - cx) * (pa.y - cy) - (pa.x - cx) * (pc.y - cy)) / area;
    const double wc = 1.0 - wa - wb;
    if (wa < 0 || wb < 0 || wc < 0) return;
    auto mix = [&](COLOR16 ca, COLOR16 cb, COLOR16 cc) {
      return std::clamp(int(wa * Channel(ca) + wb * Channel(cb) + wc * Channel(cc)), 0, 255);
    };
    px = qRgb(mix(a.Red, b.Red, c.Red), mix(a.Green, b.Green, c.Green), mix(a.Blue, b.Blue, c.Blue));
  });
}

}  // namespace

// Rectangles: the first colour at the upper-left vertex's column (row), changing linearly
// towards the lower-right vertex, whose own column (row) lies outside the rectangle.
BOOL CDC::GradientFill(TRIVERTEX* vertices, ULONG vertexCount, void* mesh, ULONG meshCount, ULONG mode) {
  if (!vertices || !mesh) return FALSE;
  DcData& d = *m_hDC;
  d.BeginDraw();
  BOOL ok = TRUE;
  if (mode == GRADIENT_FILL_RECT_H || mode == GRADIENT_FILL_RECT_V) {
    const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
    for (ULONG i = 0; i < meshCount; ++i) {
      if (rects[i].UpperLeft >= vertexCount || rects[i].LowerRight >= vertexCount) {
        ok = FALSE;
        break;
      }
      FillGradientRect(d, vertices[rects[i].UpperLeft], vertices[rects[i].LowerRight],
                       mode == GRADIENT_FILL_RECT_V);
    }
  } else if (mode == GRADIENT_FILL_TRIANGLE) {
    const auto* triangles = static_cast<const GRADIENT_TRIANGLE*>(mesh);
    for (ULONG i = 0; i < meshCount; ++i) {
      const GRADIENT_TRIANGLE& t = triangles[i];
      if (t.Vertex1 >= vertexCount || t.Vertex2 >= vertexCount || t.Vertex3 >= vertexCount) {
        ok = FALSE;
        break;
      }
      FillGradientTriangle(d, vertices[t.Vertex1], vertices[t.Vertex2], vertices[t.Vertex3]);
    }
  } else {
    ok = FALSE;
  }
  d.EndDraw();
  return ok;
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth,
                int srcHeight, DWORD rop) {
  if (!dst) return FALSE;
  return CDC::FromHandle(dst)->StretchBlt(x, y, width, height, src ? CDC::FromHandle(src) : nullptr, xSrc,
                                          ySrc, srcWidth, srcHeight, rop);
}
