#include "platform/ui/SysColors.h"

#include "platform/gdi/SystemInfo.h"
#include "platform/ui/Wnd.h"

BOOL SetSysColors(int count, const int* indices, const COLORREF* colors) {
  if (count < 0 || (count > 0 && (!indices || !colors))) return FALSE;
  SetSysColorValues(count, indices, colors);
  SendMessageToAllWindows(WM_SYSCOLORCHANGE);
  return TRUE;
}
