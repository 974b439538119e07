#pragma once
// Device contexts over images owned by the window layer or by a print job. Only platform
// code includes this header: it names Qt's image class.

#include "platform/gdi/GdiTypes.h"

class QImage;

struct SImageDcOptions {
  int dpi = 96;          // LOGPIXELSX/Y; fonts and metric mapping modes follow it
  bool printer = false;  // IsPrinting, TECHNOLOGY DT_RASPRINTER
  bool screen = true;    // a window or screen context (RASTERCAPS follows the display setting)
};

// A context that draws into image (format RGB32 or ARGB32), which must outlive it. Delete it
// with DeleteDC. The image must not be resized or replaced while the context exists, except
// after ReleaseImageSurface.
HDC CreateImageDC(QImage* image, const SImageDcOptions& options = {});
// Ends any drawing still open on the image, so that its owner may paint it to the screen,
// resize or replace it.
void ReleaseImageSurface(QImage* image);
// The image a memory context's bitmap keeps (for the window layer's and the tests' eyes).
const QImage* GetBitmapImage(HBITMAP bitmap);
// A screen-compatible bitmap holding a copy of the image.
HBITMAP CreateBitmapFromImage(const QImage& image);
