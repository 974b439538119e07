#pragma once
// The part of the GDI+ flat interface that draws anti-aliased curves on a device context.
// Coordinates go through the context's mapping like every other drawing call.

#include "platform/gdi/GdiTypes.h"

using REAL = float;
using ARGB = DWORD;
using GpStatus = int;

constexpr GpStatus Ok = 0;
constexpr GpStatus GenericError = 1;
constexpr GpStatus InvalidParameter = 2;

enum GpUnit {
  UnitWorld = 0,
  UnitDisplay = 1,
  UnitPixel = 2,
  UnitPoint = 3,
  UnitInch = 4,
  UnitDocument = 5,
  UnitMillimeter = 6
};

enum SmoothingMode {
  SmoothingModeInvalid = -1,
  SmoothingModeDefault = 0,
  SmoothingModeHighSpeed = 1,
  SmoothingModeHighQuality = 2,
  SmoothingModeNone = 3,
  SmoothingModeAntiAlias = 4
};

struct GpPointF {
  REAL X;
  REAL Y;
};
using PointF = GpPointF;

struct GpGraphics;
struct GpPen;

GpStatus GdipCreateFromHDC(HDC dc, GpGraphics** graphics);
GpStatus GdipDeleteGraphics(GpGraphics* graphics);
// Only pixel units are drawn in (UnitPixel and UnitDisplay); others are refused.
GpStatus GdipSetPageUnit(GpGraphics* graphics, GpUnit unit);
GpStatus GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode);
GpStatus GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen** pen);
GpStatus GdipDeletePen(GpPen* pen);
// One connected polyline through count points (at least 2).
GpStatus GdipDrawLines(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count);
