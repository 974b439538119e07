#include "platform/ui/WindowImage.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QWidget>

#include "platform/ui/QtString.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WndWidget.h"

bool SaveWindowImage(HWND window, const CString& pngPath) {
  if (!CWnd::IsWindowHandle(window) || !window->GetWidget()) return false;
  QCoreApplication::processEvents();
  QWidget* widget = window->GetWidget()->Widget();
  return widget->grab().save(ToQString(pngPath), "PNG");
}
