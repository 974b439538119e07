#include "platform/ui/WindowState.h"

#include "platform/ui/WndWidget.h"

BOOL IsIconic(HWND window) {
  if (!CWnd::IsWindowHandle(window) || !window->GetWidget()) return FALSE;
  const QWidget* widget = window->GetWidget()->Widget();
  return widget && widget->window()->isMinimized() ? TRUE : FALSE;
}
