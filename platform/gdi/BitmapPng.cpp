#include "platform/gdi/BitmapPng.h"

#include <QImage>
#include <QString>

#include "platform/gdi/ImageDc.h"

bool SaveBitmapAsPng(HBITMAP bitmap, const CString& path) {
  const QImage* image = bitmap ? GetBitmapImage(bitmap) : nullptr;
  if (!image || image->isNull()) return false;
  return image->save(QString::fromUtf16(path.GetString(), path.GetLength()), "PNG");
}
