#include "platform/ui/SimulatedInput.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>
#include <chrono>
#include <iterator>

#include "platform/base/Clock.h"
#include "platform/gdi/QtString.h"
#include "platform/ui/WndWidget.h"

namespace {

Qt::KeyboardModifiers Modifiers(UINT modifiers) {
  Qt::KeyboardModifiers result;
  if (modifiers & MK_SHIFT) result |= Qt::ShiftModifier;
  if (modifiers & MK_CONTROL) result |= Qt::ControlModifier;
  if (modifiers & SIMULATED_ALT) result |= Qt::AltModifier;
  return result;
}

Qt::MouseButton Button(UINT button) {
  switch (button) {
    case VK_LBUTTON:
      return Qt::LeftButton;
    case VK_RBUTTON:
      return Qt::RightButton;
    case VK_MBUTTON:
      return Qt::MiddleButton;
    default:
      return Qt::NoButton;
  }
}

Qt::MouseButtons Buttons(UINT held) {
  Qt::MouseButtons result;
  if (held & MK_LBUTTON) result |= Qt::LeftButton;
  if (held & MK_RBUTTON) result |= Qt::RightButton;
  if (held & MK_MBUTTON) result |= Qt::MiddleButton;
  return result;
}

int QtKey(UINT virtualKey) {
  if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
    return int(virtualKey);
  if (virtualKey >= VK_F1 && virtualKey <= VK_F1 + 23) return Qt::Key_F1 + int(virtualKey - VK_F1);
  switch (virtualKey) {
    case VK_BACK:
      return Qt::Key_Backspace;
    case VK_TAB:
      return Qt::Key_Tab;
    case VK_RETURN:
      return Qt::Key_Return;
    case VK_SHIFT:
      return Qt::Key_Shift;
    case VK_CONTROL:
      return Qt::Key_Control;
    case VK_MENU:
      return Qt::Key_Alt;
    case VK_ESCAPE:
      return Qt::Key_Escape;
    case VK_SPACE:
      return Qt::Key_Space;
    case VK_PRIOR:
      return Qt::Key_PageUp;
    case VK_NEXT:
      return Qt::Key_PageDown;
    case VK_END:
      return Qt::Key_End;
    case VK_HOME:
      return Qt::Key_Home;
    case VK_LEFT:
      return Qt::Key_Left;
    case VK_UP:
      return Qt::Key_Up;
    case VK_RIGHT:
      return Qt::Key_Right;
    case VK_DOWN:
      return Qt::Key_Down;
    case VK_INSERT:
      return Qt::Key_Insert;
    case VK_DELETE:
      return Qt::Key_Delete;
    default:
      return 0;
  }
}

// The characters a key types, as the window system reports them with its key.
QString KeyText(UINT virtualKey, Qt::KeyboardModifiers held) {
  if (held & Qt::ControlModifier) return {};
  if (virtualKey >= 'A' && virtualKey <= 'Z')
    return QString(QChar(char16_t((held & Qt::ShiftModifier) ? virtualKey : virtualKey - 'A' + 'a')));
  if (virtualKey >= '0' && virtualKey <= '9') return QString(QChar(char16_t(virtualKey)));
  switch (virtualKey) {
    case VK_SPACE:
      return QStringLiteral(" ");
    case VK_RETURN:
      return QStringLiteral("\r");
    case VK_ESCAPE:
      return QString(QChar(0x1B));
    case VK_TAB:
      return QStringLiteral("\t");
    case VK_BACK:
      return QStringLiteral("\b");
    default:
      return {};
  }
}

// Where the window system delivers a key: to the open popup, else to the widget that grabs
// the keyboard, else to the focus widget, else to the active window.
QWidget* KeyboardTarget() {
  if (QWidget* popup = QApplication::activePopupWidget())
    return popup->focusWidget() ? popup->focusWidget() : popup;
  if (QWidget* grabber = QWidget::keyboardGrabber()) return grabber;
  if (QWidget* focus = QApplication::focusWidget()) return focus;
  return QApplication::activeWindow();
}

void SendKey(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QWidget* target = KeyboardTarget();
  if (!target) return;
  QKeyEvent event(type, key, modifiers, text);
  QApplication::sendEvent(target, &event);
}

// The keys of the modifiers, in the order a user presses them.
struct SModifierKey {
  UINT flag;
  UINT virtualKey;
  Qt::KeyboardModifier modifier;
};
constexpr SModifierKey kModifierKeys[] = {
    {MK_SHIFT, VK_SHIFT, Qt::ShiftModifier},
    {MK_CONTROL, VK_CONTROL, Qt::ControlModifier},
    {SIMULATED_ALT, VK_MENU, Qt::AltModifier},
};

// The tab control is built of toolkit parts: its row of tabs gets the mouse, as real input
// does. Every other window takes the mouse itself, scroll bars included.
QWidget* PartAt(QWidget* widget, QPointF& local) {
  auto* tabs = qobject_cast<QTabWidget*>(widget);
  QTabBar* bar = tabs ? tabs->tabBar() : nullptr;
  if (!bar || !bar->geometry().contains(local.toPoint())) return widget;
  local = bar->mapFrom(widget, local);
  return bar;
}

}  // namespace

void SimulateMouse(CWnd* wnd, SimulatedMouseAction action, UINT button, CPoint point, UINT modifiers,
                   UINT held) {
  QWidget* window = QtWidgetOf(wnd);
  if (!window) return;
  QPointF local = QPointF(point.x, point.y) + wnd->GetWidget()->ClientOrigin();
  QWidget* widget = PartAt(window, local);
  const QPointF global = widget->mapToGlobal(local);
  QEvent::Type type = QEvent::MouseMove;
  switch (action) {
    case SimulatedMouseAction::Press:
      type = QEvent::MouseButtonPress;
      break;
    case SimulatedMouseAction::Release:
      type = QEvent::MouseButtonRelease;
      break;
    case SimulatedMouseAction::DoubleClick:
      type = QEvent::MouseButtonDblClick;
      break;
    case SimulatedMouseAction::Move:
      break;
  }
  QMouseEvent event(type, local, global, action == SimulatedMouseAction::Move ? Qt::NoButton : Button(button),
                    Buttons(held), Modifiers(modifiers));
  QApplication::sendEvent(widget, &event);
}

void SimulateMouseAtScreen(SimulatedMouseAction action, UINT button, CPoint screen, UINT modifiers, UINT held) {
  SetMessagePos(screen);
  CWnd* target = CWnd::GetCapture();
  if (!target) target = WindowFromPoint(screen);
  if (!target) return;
  CPoint client = screen;
  target->ScreenToClient(&client);
  SimulateMouse(target, action, button, client, modifiers, held);
}

void SimulateClick(CWnd* wnd, CPoint point) {
  SimulateMouse(wnd, SimulatedMouseAction::Press, VK_LBUTTON, point, 0, MK_LBUTTON);
  SimulateMouse(wnd, SimulatedMouseAction::Release, VK_LBUTTON, point, 0, 0);
}

void SimulateWheel(CWnd* wnd, int delta, CPoint point, UINT modifiers) {
  QWidget* widget = QtWidgetOf(wnd);
  if (!widget) return;
  const QPointF local = QPointF(point.x, point.y) + wnd->GetWidget()->ClientOrigin();
  QWheelEvent event(local, widget->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton,
                    Modifiers(modifiers), Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &event);
}

void SimulateMouseEnter(CWnd* wnd) {
  QWidget* widget = QtWidgetOf(wnd);
  if (!widget) return;
  QEnterEvent event(QPointF(0, 0), QPointF(0, 0), widget->mapToGlobal(QPointF(0, 0)));
  QApplication::sendEvent(widget, &event);
}

void SimulateMouseLeave(CWnd* wnd) {
  QWidget* widget = QtWidgetOf(wnd);
  if (!widget) return;
  QEvent event(QEvent::Leave);
  QApplication::sendEvent(widget, &event);
}

void SimulateHover(CWnd* wnd, CPoint point) {
  QWidget* widget = QtWidgetOf(wnd);
  if (!widget) return;
  const QPoint local = QPoint(point.x, point.y) + wnd->GetWidget()->ClientOrigin();
  QHelpEvent event(QEvent::ToolTip, local, widget->mapToGlobal(local));
  QApplication::sendEvent(widget, &event);
}

void SimulateKey(CWnd* wnd, UINT virtualKey, bool press, const CString& text, UINT modifiers,
                 bool autoRepeat) {
  QWidget* widget = QtWidgetOf(wnd);
  if (!widget) return;
  QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, QtKey(virtualKey), Modifiers(modifiers),
                  ToQString(text), autoRepeat);
  QApplication::sendEvent(widget, &event);
}

void SimulateKeyStroke(UINT virtualKey, UINT modifiers) {
  // A key event carries the modifiers held before it, as the X server reports them: a
  // modifier's own press does not, its release does.
  Qt::KeyboardModifiers held;
  for (const SModifierKey& key : kModifierKeys) {
    if (!(modifiers & key.flag)) continue;
    SendKey(QEvent::KeyPress, QtKey(key.virtualKey), held, {});
    held |= key.modifier;
  }
  Qt::KeyboardModifiers releasing = held;
  for (const SModifierKey& key : kModifierKeys)
    if (key.virtualKey == virtualKey) releasing |= key.modifier;
  const QString text = KeyText(virtualKey, held);
  SendKey(QEvent::KeyPress, QtKey(virtualKey), held, text);
  SendKey(QEvent::KeyRelease, QtKey(virtualKey), releasing, text);
  for (auto key = std::rbegin(kModifierKeys); key != std::rend(kModifierKeys); ++key) {
    if (!(modifiers & key->flag)) continue;
    SendKey(QEvent::KeyRelease, QtKey(key->virtualKey), held, {});
    held &= ~key->modifier;
  }
}

void SimulateTyping(CWnd* wnd, UINT virtualKey, const CString& text) {
  SimulateKey(wnd, virtualKey, true, text);
  // The press may have destroyed the window (an editor ends on Return or Escape).
  if (CWnd::IsWindowHandle(wnd)) SimulateKey(wnd, virtualKey, false, text);
}

void SimulateScrollBar(CWnd* wnd, int bar, UINT code, int pos) {
  QScrollBar* scrollBar = nullptr;
  if (wnd && wnd->GetWidget()) {
    scrollBar = bar == SB_CTL ? dynamic_cast<QScrollBar*>(wnd->GetWidget()->Widget())
                              : wnd->GetWidget()->ScrollBarWidget(bar);
  }
  if (!scrollBar) return;
  switch (code) {
    case SB_LINEUP:
      scrollBar->triggerAction(QAbstractSlider::SliderSingleStepSub);
      break;
    case SB_LINEDOWN:
      scrollBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      break;
    case SB_PAGEUP:
      scrollBar->triggerAction(QAbstractSlider::SliderPageStepSub);
      break;
    case SB_PAGEDOWN:
      scrollBar->triggerAction(QAbstractSlider::SliderPageStepAdd);
      break;
    case SB_TOP:
      scrollBar->triggerAction(QAbstractSlider::SliderToMinimum);
      break;
    case SB_BOTTOM:
      scrollBar->triggerAction(QAbstractSlider::SliderToMaximum);
      break;
    case SB_THUMBTRACK:
      scrollBar->setSliderDown(true);
      scrollBar->setSliderPosition(pos);
      break;
    case SB_THUMBPOSITION:
      scrollBar->setSliderDown(false);
      break;
    default:
      break;
  }
}

void PumpMessages(DWORD milliseconds) {
  QApplication::processEvents(QEventLoop::AllEvents);
  if (milliseconds == 0) return;
  const auto end = std::chrono::steady_clock::now() + ScaledDuration(milliseconds);
  while (std::chrono::steady_clock::now() < end) {
    QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
  }
  QApplication::processEvents(QEventLoop::AllEvents);
}
