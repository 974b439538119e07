#include "platform/gdi/GdiPlus.h"

#include <QPainterPath>
#include <cmath>
#include <vector>

#include "platform/gdi/DcData.h"

struct GpGraphics {
  HDC dc;
  SmoothingMode smoothing = SmoothingModeDefault;
};

struct GpPen {
  ARGB color;
  REAL width;
};

GpStatus GdipCreateFromHDC(HDC dc, GpGraphics** graphics) {
  if (!dc || !graphics) return InvalidParameter;
  *graphics = new GpGraphics{dc};
  return Ok;
}

GpStatus GdipDeleteGraphics(GpGraphics* graphics) {
  if (!graphics) return InvalidParameter;
  delete graphics;
  return Ok;
}

GpStatus GdipSetPageUnit(GpGraphics* graphics, GpUnit unit) {
  if (!graphics) return InvalidParameter;
  return unit == UnitPixel || unit == UnitDisplay ? Ok : InvalidParameter;
}

GpStatus GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode) {
  if (!graphics || mode == SmoothingModeInvalid) return InvalidParameter;
  graphics->smoothing = mode;
  return Ok;
}

GpStatus GdipCreatePen1(ARGB color, REAL width, GpUnit, GpPen** pen) {
  if (!pen) return InvalidParameter;
  *pen = new GpPen{color, width};
  return Ok;
}

GpStatus GdipDeletePen(GpPen* pen) {
  if (!pen) return InvalidParameter;
  delete pen;
  return Ok;
}

GpStatus GdipDrawLines(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count) {
  if (!graphics || !pen || !points || count < 2) return InvalidParameter;
  DcData& d = *graphics->dc;
  const bool smooth =
      graphics->smoothing == SmoothingModeAntiAlias || graphics->smoothing == SmoothingModeHighQuality;
  // Logical to device like the context's own calls, with fractions kept.
  auto toDevice = [&](const GpPointF& p) {
    const DcState& st = d.st;
    return QPointF(st.viewportOrg.x + (p.X - st.windowOrg.x) * d.ScaleX(),
                   st.viewportOrg.y + (p.Y - st.windowOrg.y) * d.ScaleY());
  };
  std::vector<QPointF> device;
  device.reserve(std::size_t(count));
  for (INT i = 0; i < count; ++i) device.push_back(toDevice(points[i]));
  d.BeginDraw();
  QPainter& painter = d.Painter();
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, smooth);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  const QColor color(int((pen->color >> 16) & 0xFF), int((pen->color >> 8) & 0xFF), int(pen->color & 0xFF),
                     int(pen->color >> 24));
  const qreal width = std::max<qreal>(pen->width * std::abs(d.ScaleX()), smooth ? 0.0 : 1.0);
  painter.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  painter.setBrush(Qt::NoBrush);
  // GDI+ samples pixel centres at integer coordinates; the painter at half pixels.
  painter.translate(0.5, 0.5);
  painter.drawPolyline(device.data(), int(device.size()));
  painter.restore();
  d.painterFont = nullptr;
  d.EndDraw();
  return Ok;
}
