// Showing and hiding windows by the platform's show commands, and the kind of top-level
// window the styles ask for.

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include "platform/ui/UiCall.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WndWidget.h"

namespace {

// The commands that leave the activation where it is. SW_MINIMIZE hands it to the next
// window rather than to the one it minimizes.
bool Activates(int command) {
  switch (command) {
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA:
    case SW_SHOWMINNOACTIVE:
    case SW_MINIMIZE:
      return false;
    default:
      return true;
  }
}

void ApplyShowState(QWidget* widget, int command) {
  switch (command) {
    case SW_SHOWNORMAL:
    case SW_SHOWNOACTIVATE:
      widget->showNormal();
      break;
    case SW_RESTORE:
      // A window minimized from its maximized state comes back maximized.
      if (widget->isMinimized()) {
        widget->setWindowState(widget->windowState() & ~Qt::WindowMinimized);
        widget->show();
      } else {
        widget->showNormal();
      }
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      widget->showMinimized();
      break;
    case SW_SHOWMAXIMIZED:
      widget->showMaximized();
      break;
    default:  // SW_SHOW, SW_SHOWNA: in the state the window has
      widget->show();
      break;
  }
}

// Shows a top-level window; a command that does not activate leaves the active window and
// its focus as they were, also where the toolkit would activate what it shows.
void ShowTopLevel(QWidget* widget, int command, bool topmost) {
  const bool activate = Activates(command);
  QPointer<QWidget> active = QApplication::activeWindow();
  QPointer<QWidget> focus = QApplication::focusWidget();
  widget->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
  ApplyShowState(widget, command);
  if (topmost) widget->raise();
  if (activate) {
    if (!widget->isMinimized()) widget->activateWindow();
    return;
  }
  if (active && active != widget && QApplication::activeWindow() != active) {
    QApplication::setActiveWindow(active);
    if (focus) focus->setFocus(Qt::ActiveWindowFocusReason);
  }
}

}  // namespace

Qt::WindowFlags TopLevelWindowFlags(DWORD style, DWORD exStyle) {
  const bool frameless = (style & WS_POPUP) && (style & WS_CAPTION) != WS_CAPTION;
  const bool tool = (exStyle & WS_EX_TOOLWINDOW) != 0;
  Qt::WindowFlags flags = tool ? Qt::Tool : Qt::Window;
  if (frameless) flags |= Qt::FramelessWindowHint;
  // A frameless tool window (a tip, a drop list) is no business of the window manager's: it
  // gets no frame, no taskbar entry and never the focus from it.
  if (frameless && tool) flags |= Qt::BypassWindowManagerHint;
  if (exStyle & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
  return flags;
}

BOOL CWnd::ShowWindow(int command) {
  if (!m_widget) return FALSE;
  return CallOnUiThread([&]() -> BOOL {
    const bool wasVisible = (m_style & WS_VISIBLE) != 0;
    const bool show = command != SW_HIDE;
    if (show != wasVisible) {
      auto alive = m_alive;
      SendMessage(WM_SHOWWINDOW, show, 0);
      if (!*alive || !m_widget) return wasVisible;
      m_style = show ? (m_style | WS_VISIBLE) : (m_style & ~WS_VISIBLE);
    }
    QWidget* widget = m_widget->Widget();
    if (!show || !widget->isWindow()) {
      widget->setVisible(show);
    } else {
      ShowTopLevel(widget, command, (m_exStyle & WS_EX_TOPMOST) != 0);
    }
    return wasVisible;
  });
}
