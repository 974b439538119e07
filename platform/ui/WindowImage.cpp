#include "platform/ui/WindowImage.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include "platform/gdi/GdiInternals.h"
#include "platform/gdi/QtString.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WndWidget.h"

bool SaveWindowImage(HWND window, const CString& pngPath) {
  if (!CWnd::IsWindowHandle(window) || !window->GetWidget()) return false;
  QCoreApplication::processEvents();
  QWidget* widget = window->GetWidget()->Widget();
  return widget->grab().save(ToQString(pngPath), "PNG");
}

HBITMAP CopyWindowImage(HWND window) {
  if (!CWnd::IsWindowHandle(window) || !window->GetWidget()) return nullptr;
  QCoreApplication::processEvents();
  const QImage picture = window->GetWidget()->Widget()->grab().toImage();
  return gdi::NewBitmap(picture.convertToFormat(QImage::Format_RGB32), false);
}

bool SaveScreenImage(const RECT& area, const CString& pngPath) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return false;
  QCoreApplication::processEvents();
  const QPixmap picture =
      screen->grabWindow(0, area.left, area.top, area.right - area.left, area.bottom - area.top);
  return !picture.isNull() && picture.save(ToQString(pngPath), "PNG");
}
