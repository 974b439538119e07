// Mouse capture: the capturing window receives the mouse wherever it is, through a grab of the
// toolkit's pointer. The window that loses the capture is told so (WM_CAPTURECHANGED, with the
// window taking it, or null when nobody does) after the capture has moved.

#include <QWidget>

#include "platform/gdi/Geometry.h"
#include "platform/ui/UiCall.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WndWidget.h"

namespace {

CWnd* g_capture = nullptr;

}  // namespace

CWnd* CWnd::SetCapture() {
  if (!IsUiThread()) return CallOnUiThread([this] { return SetCapture(); });
  CWnd* old = g_capture;
  g_capture = this;
  // Taking the grab for the new window ends the old window's grab.
  if (m_widget) m_widget->Widget()->grabMouse();
  if (old && old != this && IsWindowHandle(old)) old->SendMessage(WM_CAPTURECHANGED, 0, LPARAM(this));
  return old;
}

CWnd* CWnd::GetCapture() { return g_capture; }

void CWnd::ForgetCapture(CWnd* wnd) {
  if (g_capture == wnd) g_capture = nullptr;
}

BOOL ReleaseCapture() {
  if (!IsUiThread()) return CallOnUiThread([] { return ReleaseCapture(); });
  CWnd* old = g_capture;
  g_capture = nullptr;
  if (!old || !CWnd::IsWindowHandle(old)) return TRUE;
  if (QWidget* widget = QtWidgetOf(old)) widget->releaseMouse();
  old->SendMessage(WM_CAPTURECHANGED, 0, 0);
  // As on the platform, a window that held the capture hears a move once it ends, so that it
  // sets its cursor and hover state for where the pointer rests (a double click on a border
  // then finds the border again).
  if (CWnd::IsWindowHandle(old)) {
    const DWORD position = GetMessagePos();
    CPoint point(GET_X_LPARAM(LPARAM(position)), GET_Y_LPARAM(LPARAM(position)));
    old->ScreenToClient(&point);
    CRect client;
    old->GetClientRect(client);
    if (client.PtInRect(point)) old->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(WORD(point.x), WORD(point.y)));
  }
  return TRUE;
}
