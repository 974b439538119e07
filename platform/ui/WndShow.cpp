// Showing and hiding windows by the platform's show commands, and the kind of top-level
// window the styles ask for.

#include <QWidget>
#include <QWindow>

#include "platform/ui/UiCall.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WndWidget.h"

void AllowActivation(QWidget* topLevel, bool allow) {
  if (QWindow* window = topLevel->windowHandle()) window->setFlag(Qt::WindowDoesNotAcceptFocus, !allow);
}

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

// Shows a top-level window, above its owner's window when it has one. A command that does not
// activate also tells the window system that the window takes no focus while it is up, so that
// showing it leaves the active window and its focus alone.
//
// The window-system window is made here, on the first show, and not when the window is
// created: a window moved before it has one is moved by its frame, which the window manager
// then puts where it was asked to. Once made, the toolkit moves the client area of a window
// whose frame it does not know yet, and the title bar of a window at the screen's top would sit
// above the screen.
void ShowTopLevel(QWidget* widget, QWidget* owner, int command) {
  const bool activate = Activates(command);
  widget->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
  widget->winId();
  if (owner) {
    owner->winId();
    widget->windowHandle()->setTransientParent(owner->windowHandle());
  }
  AllowActivation(widget, activate);
  ApplyShowState(widget, command);
  if (activate && !widget->isMinimized()) widget->activateWindow();
}

}  // namespace

Qt::WindowFlags TopLevelWindowFlags(DWORD style, DWORD exStyle) {
  const bool frameless = (style & WS_POPUP) && (style & WS_CAPTION) != WS_CAPTION;
  const bool tool = (exStyle & WS_EX_TOOLWINDOW) != 0;
  // A frameless tool window (a tip, a title tip, a drop list) is the toolkit's tip window:
  // the window manager leaves it alone, and it never takes the focus.
  Qt::WindowFlags flags = frameless && tool ? Qt::ToolTip : tool ? Qt::Tool : Qt::Window;
  if (frameless) flags |= Qt::FramelessWindowHint;
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
      CWnd* owner = m_owner ? m_owner->GetTopLevelParent() : nullptr;
      ShowTopLevel(widget, owner && owner->m_widget ? owner->m_widget->Widget() : nullptr, command);
    }
    return wasVisible;
  });
}

BOOL CWnd::IsIconic() const {
  return m_widget && CallOnUiThread([this] { return m_widget->Widget()->isMinimized(); });
}

BOOL CWnd::IsZoomed() const {
  return m_widget && CallOnUiThread([this] { return m_widget->Widget()->isMaximized(); });
}
