#include "grid/GridWindowClass.h"

#include "platform/gdi/SystemInfo.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/WindowClass.h"

BOOL RegisterCellGridWindowClass() {
  WNDCLASS windowClass;
  HINSTANCE instance = AfxGetInstanceHandle();
  if (GetClassInfo(instance, kCellGridWindowClass, &windowClass)) return TRUE;
  windowClass = WNDCLASS();
  windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
  windowClass.lpszClassName = kCellGridWindowClass;
  return AfxRegisterClass(&windowClass);
}
