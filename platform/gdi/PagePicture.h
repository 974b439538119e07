#pragma once
// Pictures on a page without pixels (a PDF or a printer). The PDF writer stores every colour
// picture as JPEG, which blurs the sharp edges of icons, hatches, gradients and charts; such
// pictures go onto the page as rectangles of flat colour instead, drawn exactly. Pictures
// with too many colour runs for that (photographs) stay pictures.

#include <QImage>
#include <QPainter>

// Paints picture into target (device units) on painter; fully transparent pixels leave the
// page as it is.
void PaintPagePicture(QPainter& painter, const QRectF& target, const QImage& picture);
