#include "platform/ui/WndWidget.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/base/Clock.h"
#include "platform/gdi/ImageDc.h"
#include "platform/gdi/QtString.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/kernel/ThreadHandOver.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/ToolTipCtrl.h"

namespace {

CWnd* g_lastFocus = nullptr;
Qt::KeyboardModifiers g_heldModifiers;
Qt::MouseButtons g_heldButtons;
// Alt or F10 while it is the last key pressed, with no mouse button pressed since: its
// release selects the menu bar. 0 otherwise.
UINT g_loneMenuKey = 0;

UINT MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  UINT flags = 0;
  if (buttons & Qt::LeftButton) flags |= MK_LBUTTON;
  if (buttons & Qt::RightButton) flags |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) flags |= MK_MBUTTON;
  if (modifiers & Qt::ShiftModifier) flags |= MK_SHIFT;
  if (modifiers & Qt::ControlModifier) flags |= MK_CONTROL;
  return flags;
}

UINT MouseMessage(QEvent::Type type, Qt::MouseButton button) {
  int column = button == Qt::LeftButton     ? 0
               : button == Qt::RightButton  ? 1
               : button == Qt::MiddleButton ? 2
                                            : -1;
  if (type == QEvent::MouseMove) return WM_MOUSEMOVE;
  if (column < 0) return 0;
  const UINT down[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
  switch (type) {
    case QEvent::MouseButtonPress:
      return down[column];
    case QEvent::MouseButtonRelease:
      return down[column] + 1;
    case QEvent::MouseButtonDblClick:
      return down[column] + 2;
    default:
      return 0;
  }
}

LPARAM PointParam(QPoint p) { return MAKELPARAM(WORD(SHORT(p.x())), WORD(SHORT(p.y()))); }

struct KeyMapping {
  int qtKey;
  UINT virtualKey;
  bool extended;
};

constexpr KeyMapping kKeys[] = {
    {Qt::Key_Backspace, VK_BACK, false},  {Qt::Key_Tab, VK_TAB, false},
    {Qt::Key_Backtab, VK_TAB, false},     {Qt::Key_Return, VK_RETURN, false},
    {Qt::Key_Enter, VK_RETURN, true},     {Qt::Key_Shift, VK_SHIFT, false},
    {Qt::Key_Control, VK_CONTROL, false}, {Qt::Key_Alt, VK_MENU, false},
    {Qt::Key_Escape, VK_ESCAPE, false},   {Qt::Key_Space, VK_SPACE, false},
    {Qt::Key_PageUp, VK_PRIOR, true},     {Qt::Key_PageDown, VK_NEXT, true},
    {Qt::Key_End, VK_END, true},          {Qt::Key_Home, VK_HOME, true},
    {Qt::Key_Left, VK_LEFT, true},        {Qt::Key_Up, VK_UP, true},
    {Qt::Key_Right, VK_RIGHT, true},      {Qt::Key_Down, VK_DOWN, true},
    {Qt::Key_Insert, VK_INSERT, true},    {Qt::Key_Delete, VK_DELETE, true},
};

// The platform's virtual key of a key event, and whether it is an extended key.
UINT VirtualKey(const QKeyEvent* event, bool& extended) {
  extended = false;
  const int key = event->key();
  const bool keypad = event->modifiers() & Qt::KeypadModifier;
  for (const KeyMapping& m : kKeys) {
    if (m.qtKey == key) {
      extended = m.extended;
      return m.virtualKey;
    }
  }
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return keypad ? VK_NUMPAD0 + UINT(key - Qt::Key_0) : UINT(key);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return UINT(key);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + UINT(key - Qt::Key_F1);
  if (keypad) {
    switch (key) {
      case Qt::Key_Asterisk:
        return VK_MULTIPLY;
      case Qt::Key_Plus:
        return VK_ADD;
      case Qt::Key_Minus:
        return VK_SUBTRACT;
      case Qt::Key_Period:
      case Qt::Key_Comma:
        return VK_DECIMAL;
      case Qt::Key_Slash:
        return VK_DIVIDE;
      default:
        break;
    }
  }
  return 0;
}

}  // namespace

QEvent::Type PostedMessageEvent::EventType() {
  static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
  return type;
}

WndWidget::~WndWidget() {
  if (!m_detached) m_wnd.OnWidgetGone();
}

Qt::KeyboardModifiers WndWidget::HeldModifiers() { return g_heldModifiers; }

bool WndWidget::TakeLoneMenuKey(UINT virtualKey) {
  const bool alone = g_loneMenuKey == virtualKey;
  g_loneMenuKey = 0;
  return alone;
}
Qt::MouseButtons WndWidget::HeldButtons() { return g_heldButtons; }

CWnd* WndWidget::WndOf(const QWidget* widget) {
  auto* host = dynamic_cast<const WndWidget*>(widget);
  return host && !host->m_detached ? &host->m_wnd : nullptr;
}

void WndWidget::Detach() {
  m_detached = true;
  KillAllTimers();
  if (g_lastFocus == &m_wnd) g_lastFocus = nullptr;
  ReleaseImageSurface(&m_backing);
  QWidget* widget = Widget();
  widget->hide();
  if (WndEventScope::Active()) {
    widget->deleteLater();
  } else {
    delete this;
  }
}

QSize WndWidget::ClientSize() const {
  QWidget* widget = const_cast<WndWidget*>(this)->Widget();
  int width = widget->width() - 2 * m_clientOrigin.x();
  int height = widget->height() - 2 * m_clientOrigin.y();
  if (m_scrollBars[1] && m_scrollBars[1]->isVisibleTo(widget)) width -= GetSystemMetrics(SM_CXVSCROLL);
  if (m_scrollBars[0] && m_scrollBars[0]->isVisibleTo(widget)) height -= GetSystemMetrics(SM_CYHSCROLL);
  return QSize(std::max(width, 0), std::max(height, 0));
}

// ---------------------------------------------------------------- painting

void WndWidget::Invalidate(const QRegion& region, bool erase) {
  m_invalid += region;
  m_eraseOwed = m_eraseOwed || erase;
  if (m_painting) {
    m_invalidWhilePainting += region;
    m_eraseOwedWhilePainting = m_eraseOwedWhilePainting || erase;
  }
  Widget()->update(region.translated(m_clientOrigin));
}

void WndWidget::PaintNow() {
  if (m_invalid.isEmpty() || IsToolkitControl()) {
    m_invalid = QRegion();
    return;
  }
  auto alive = m_wnd.m_alive;
  const bool nested = m_painting;
  m_painting = true;
  m_wnd.SendMessage(WM_PAINT);
  if (!*alive || m_detached) return;
  m_painting = nested;
  // A handler that leaves the area invalid would be asked again at once on the platform; it
  // is not asked again here, so that such a handler cannot keep the thread busy. What it
  // invalidated while painting is painted at the next paint, as on the platform.
  m_invalid = std::exchange(m_invalidWhilePainting, QRegion());
  m_eraseOwed = std::exchange(m_eraseOwedWhilePainting, false);
  ReleaseImageSurface(&m_backing);
  Widget()->update();
}

void WndWidget::ScheduleScreenUpdate(const QRect& rect) { Widget()->update(rect.translated(m_clientOrigin)); }

void WndWidget::PaintBacking(QPaintEvent* event) {
  if (m_detached) return;
  const QRect client(QPoint(0, 0), ClientSize());
  const QRegion shown = UncoveredPart(event->region().translated(-m_clientOrigin) & client);
  // What a child window covered until now was never painted: it is painted now, as the
  // platform asks a parent to repaint what its child uncovers.
  const QRegion unpainted = m_backing.isNull() ? shown : shown & m_unwhitened;
  if (!unpainted.isEmpty()) {
    m_invalid += unpainted;
    m_eraseOwed = true;
  }
  if (!m_showingOnly) PaintNow();
  if (m_detached) return;
  const QImage& image = BackingImage(&shown);
  ReleaseImageSurface(&m_backing);
  // Rectangle by rectangle: under a clip of one rectangle the toolkit copies the image, under a
  // clip of several it blends it span by span, handing large areas to worker threads.
  QPainter painter(Widget());
  if (!m_clientOrigin.isNull()) DrawClientEdge(painter);
  for (const QRect& rect : shown) {
    const QRect onWidget = rect.translated(m_clientOrigin);
    painter.setClipRect(onWidget);
    painter.drawImage(onWidget.topLeft(), image, rect);
  }
}

void WndWidget::DrawClientEdge(QPainter& painter) {
  auto color = [](int index) {
    const COLORREF c = GetSysColor(index);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
  };
  const int right = Widget()->width() - 1;
  const int bottom = Widget()->height() - 1;
  // Two lines, each darker at the top and left than at the bottom and right: the client area
  // looks sunk into the window. The bottom and right lines take the corners they share.
  painter.fillRect(QRect(0, 0, right, 1), color(COLOR_BTNSHADOW));
  painter.fillRect(QRect(0, 0, 1, bottom), color(COLOR_BTNSHADOW));
  painter.fillRect(QRect(0, bottom, right + 1, 1), color(COLOR_BTNHIGHLIGHT));
  painter.fillRect(QRect(right, 0, 1, bottom + 1), color(COLOR_BTNHIGHLIGHT));
  painter.fillRect(QRect(1, 1, right - 2, 1), color(COLOR_3DDKSHADOW));
  painter.fillRect(QRect(1, 1, 1, bottom - 2), color(COLOR_3DDKSHADOW));
  painter.fillRect(QRect(1, bottom - 1, right - 1, 1), color(COLOR_3DLIGHT));
  painter.fillRect(QRect(right - 1, 1, 1, bottom - 1), color(COLOR_3DLIGHT));
}

QImage& WndWidget::BackingImage(const QRegion* area) {
  if (m_backing.isNull() && m_reportedSize.isValid()) {
    m_backing = QImage(std::max(m_reportedSize.width(), 1), std::max(m_reportedSize.height(), 1),
                       QImage::Format_RGB32);
    m_unwhitened = QRegion(m_backing.rect());
  }
  const QRegion white = area ? m_unwhitened & *area : m_unwhitened;
  if (white.isEmpty()) return m_backing;
  ReleaseImageSurface(&m_backing);
  // A rectangle's first row is filled, the others are copied from it, which runs much faster.
  for (const QRect& rect : white) {
    auto* first = reinterpret_cast<QRgb*>(m_backing.scanLine(rect.top())) + rect.left();
    std::fill_n(first, rect.width(), 0xFFFFFFFFu);
    for (int y = rect.top() + 1; y <= rect.bottom(); ++y)
      std::memcpy(reinterpret_cast<QRgb*>(m_backing.scanLine(y)) + rect.left(), first,
                  std::size_t(rect.width()) * sizeof(QRgb));
  }
  m_unwhitened -= white;
  return m_backing;
}

void WndWidget::ReleaseBacking() { ReleaseImageSurface(&m_backing); }

QRegion WndWidget::UncoveredPart(const QRegion& region) {
  QRegion uncovered = region;
  for (QObject* object : Widget()->children()) {
    auto* child = qobject_cast<QWidget*>(object);
    auto* host = dynamic_cast<WndWidget*>(child);
    if (!host || host->m_detached || child->isHidden() || child->isWindow()) continue;
    if (!host->IsToolkitControl()) {
      uncovered -= QRect(child->pos() - m_clientOrigin + host->m_clientOrigin, host->ClientSize());
    } else if (child->autoFillBackground() && child->palette().brush(child->backgroundRole()).isOpaque()) {
      // A control that fills its background hides all of its area.
      uncovered -= child->geometry().translated(-m_clientOrigin);
    }
  }
  return uncovered;
}

void WndWidget::ReportClientSize() {
  ApplyClientEdge();
  LayoutScrollBars();
  QSize size = ClientSize();
  if (size == m_reportedSize) return;
  m_reportedSize = size;
  if (!m_backing.isNull() && m_backing.size() != size) {
    ReleaseImageSurface(&m_backing);
    m_backing = QImage();
  }
  // A size change while the window paints (a view that sets its scroll sizes in its drawing,
  // making a bar come or go) discards the picture being drawn: the whole client is painted
  // again after this paint, not only the part the new size uncovers.
  Invalidate(QRegion(0, 0, size.width(), size.height()), true);
  Widget()->update();
  m_wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(WORD(size.width()), WORD(size.height())));
}

// ---------------------------------------------------------------- timers

void WndWidget::SetTimer(UINT_PTR id, UINT elapseMs) {
  auto& timer = m_timers[id];
  if (!timer) {
    timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, [this, id] {
      WndEventScope scope;
      if (!m_detached) m_wnd.SendMessage(WM_TIMER, id, 0);
    });
  }
  auto real = std::chrono::duration_cast<std::chrono::milliseconds>(ScaledDuration(elapseMs));
  timer->start(std::max<std::chrono::milliseconds>(real, std::chrono::milliseconds(1)));
}

bool WndWidget::KillTimer(UINT_PTR id) {
  auto it = m_timers.find(id);
  if (it == m_timers.end()) return false;
  // The timer may be the one whose tick is being handled right now.
  it->second->stop();
  it->second.release()->deleteLater();
  m_timers.erase(it);
  return true;
}

void WndWidget::KillAllTimers() {
  while (!m_timers.empty()) KillTimer(m_timers.begin()->first);
}

// ---------------------------------------------------------------- events

LRESULT WndWidget::DispatchEvent(CWnd& target, UINT message, WPARAM wParam, LPARAM lParam, QEvent* event,
                                 CWnd::DispatchFrame* frame) {
  CWnd::DispatchFrame local;
  CWnd::DispatchFrame& f = frame ? *frame : local;
  f.message = message;
  f.wParam = wParam;
  f.lParam = lParam;
  f.event = &target == &m_wnd ? event : nullptr;
  return target.Dispatch(f);
}

bool WndWidget::PreTranslate(CWnd& target, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg{&target, message, wParam, lParam};
  for (CWnd* wnd = &target; wnd; wnd = wnd->GetParent()) {
    if (wnd->PreTranslateMessage(&msg)) return true;
  }
  return false;
}

bool WndWidget::HandleEvent(QEvent* event) {
  // A posted message may come from another thread.
  MarkTakenOver(event);
  if (m_detached) return event->type() != QEvent::DeferredDelete;
  WndEventScope scope;

  if (event->type() == PostedMessageEvent::EventType()) {
    auto* posted = static_cast<PostedMessageEvent*>(event);
    if (!posted->TakeForDelivery()) return true;
    if (!PreTranslate(m_wnd, posted->message, posted->wParam, posted->lParam))
      DispatchEvent(m_wnd, posted->message, posted->wParam, posted->lParam, nullptr);
    return true;
  }
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      // A disabled window (or one in a disabled window) takes no input.
      return Widget()->isEnabled() ? HandleMouse(event) : true;
    case QEvent::Wheel:
      return Widget()->isEnabled() ? HandleWheel(event) : true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      return Widget()->isEnabled() ? HandleKey(event) : true;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
      return HandleFocus(event);
    case QEvent::Enter:
      m_mouseInside = true;
      return false;
    case QEvent::Leave:
      m_mouseInside = false;
      m_wnd.PopHoverTip();
      if (m_trackLeave) {
        m_trackLeave = false;
        m_wnd.SendMessage(WM_MOUSELEAVE);
      }
      return false;
    case QEvent::Resize:
      if (!m_detached) ReportClientSize();
      return false;
    case QEvent::WindowDeactivate:
      // A window that loses the activation loses the mouse too.
      if (CWnd::GetCapture() == &m_wnd) ReleaseCapture();
      return false;
    case QEvent::ContextMenu: {
      auto* menu = static_cast<QContextMenuEvent*>(event);
      // Mouse context menus come from WM_RBUTTONUP's default processing, as on the platform.
      if (menu->reason() == QContextMenuEvent::Keyboard)
        m_wnd.SendMessage(WM_CONTEXTMENU, WPARAM(&m_wnd), -1);
      return true;
    }
    case QEvent::ToolTip: {
      if (!m_wnd.m_toolTips) return false;
      const QPoint pos = static_cast<QHelpEvent*>(event)->pos() - m_clientOrigin;
      m_wnd.ShowHoverTip(CPoint(pos.x(), pos.y()));
      return true;
    }
    case QEvent::Close:
      // The close box asks the window; WM_CLOSE's default processing destroys it.
      if (Widget()->isWindow()) {
        event->ignore();
        m_wnd.SendMessage(WM_CLOSE);
        return true;
      }
      return false;
    default:
      return false;
  }
}

bool WndWidget::HandleMouse(QEvent* event) {
  auto* mouse = static_cast<QMouseEvent*>(event);
  const UINT message = MouseMessage(event->type(), mouse->button());
  if (message == 0) return false;
  g_heldModifiers = mouse->modifiers();
  g_heldButtons = mouse->buttons();
  CWnd* target = &m_wnd;
  QPoint pos = mouse->position().toPoint();
  CWnd* capture = CWnd::GetCapture();
  if (capture && capture != &m_wnd && capture->GetWidget()) {
    target = capture;
    WndWidget* captureWidget = capture->GetWidget();
    pos = captureWidget->Widget()->mapFromGlobal(Widget()->mapToGlobal(pos)) - captureWidget->m_clientOrigin;
  } else {
    // The sunken edge is no part of the client area: what happens there is no client message.
    if (!capture && !QRect(m_clientOrigin, ClientSize()).contains(pos) && !m_clientOrigin.isNull()) {
      event->accept();
      return true;
    }
    pos -= m_clientOrigin;
    m_mouseInside = true;
  }
  const UINT flags = MouseKeyFlags(mouse->buttons(), mouse->modifiers());
  const LPARAM point = PointParam(pos);
  const QPoint global = mouse->globalPosition().toPoint();
  SetMessagePos(CPoint(global.x(), global.y()));
  auto alive = target->m_alive;
  // A tip that is up follows the mouse from tool to tool and goes off them at once.
  CToolTipCtrl* tips = m_wnd.GetHoverTips();
  if (message == WM_MOUSEMOVE && !capture && tips && !tips->GetShownText().IsEmpty())
    m_wnd.ShowHoverTip(CPoint(pos.x(), pos.y()));
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
    g_loneMenuKey = 0;
  if (!capture &&
      (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
    m_wnd.PopHoverTip();
    const bool deliver = OfferActivation(message);
    if (!*alive || m_detached) return true;
    if (!deliver) {
      event->accept();
      return true;
    }
  }
  if (!capture && message != WM_LBUTTONUP && message != WM_RBUTTONUP && message != WM_MBUTTONUP) {
    SetCursorTarget(target);
    target->SendMessage(WM_SETCURSOR, WPARAM(target), MAKELPARAM(HTCLIENT, WORD(message)));
    if (!*alive) return true;
  }
  if (!PreTranslate(*target, message, flags, point)) DispatchEvent(*target, message, flags, point, event);
  event->accept();
  return true;
}

bool WndWidget::OfferActivation(UINT message) {
  QWidget* top = Widget()->window();
  if (top->isActiveWindow()) return true;
  CWnd* topWnd = WndOf(top);
  const LRESULT answer =
      m_wnd.SendMessage(WM_MOUSEACTIVATE, WPARAM(topWnd), MAKELPARAM(WORD(HTCLIENT), WORD(message)));
  if (m_detached) return false;
  if (answer != MA_NOACTIVATE && answer != MA_NOACTIVATEANDEAT) {
    AllowActivation(top, true);
    top->activateWindow();
  }
  return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT;
}

bool WndWidget::HandleWheel(QEvent* event) {
  auto* wheel = static_cast<QWheelEvent*>(event);
  const int delta = wheel->angleDelta().y();
  if (delta == 0) return false;
  const UINT flags = MouseKeyFlags(wheel->buttons(), wheel->modifiers());
  const WPARAM wParam = MAKEWPARAM(WORD(flags), WORD(SHORT(delta)));
  const LPARAM lParam = PointParam(wheel->globalPosition().toPoint());
  if (!PreTranslate(m_wnd, WM_MOUSEWHEEL, wParam, lParam))
    DispatchEvent(m_wnd, WM_MOUSEWHEEL, wParam, lParam, event);
  event->accept();
  return true;
}

bool WndWidget::HandleKey(QEvent* event) {
  auto* key = static_cast<QKeyEvent*>(event);
  const bool press = event->type() == QEvent::KeyPress;
  g_heldModifiers = key->modifiers();
  bool extended = false;
  const UINT virtualKey = VirtualKey(key, extended);
  // Keys with Alt, the Alt key itself (whose press the X server reports without the Alt it
  // starts to hold) and F10 are system keys, as on the platform.
  const bool alt = ((key->modifiers() & Qt::AltModifier) || virtualKey == VK_MENU || virtualKey == VK_F10) &&
                   !(key->modifiers() & Qt::ControlModifier);
  if (press && !key->isAutoRepeat())
    g_loneMenuKey = virtualKey == VK_MENU || virtualKey == VK_F10 ? virtualKey : 0;
  const UINT message = press ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
  // Repeat count 1, scan code, extended-key bit, previous state and transition bits.
  DWORD lParam = 1 | ((key->nativeScanCode() & 0xFF) << 16) | (extended ? 1u << 24 : 0u);
  if (press && key->isAutoRepeat()) lParam |= 1u << 30;
  if (!press) lParam |= (1u << 30) | (1u << 31);
  auto alive = m_wnd.m_alive;
  if (PreTranslate(m_wnd, message, virtualKey, LPARAM(lParam)) || !*alive) {
    event->accept();
    return true;
  }
  CWnd::DispatchFrame keyFrame;
  keyFrame.deferToolkit = press;
  DispatchEvent(m_wnd, message, virtualKey, LPARAM(lParam), event, &keyFrame);
  if (!*alive || m_detached) return true;
  bool toolkitWanted = keyFrame.toolkitWanted;
  bool toolkitRan = false;
  if (press) {
    const QString text = key->text();
    // With Alt the characters are system characters, which the windows' translation sees first.
    const UINT charMessage = alt ? WM_SYSCHAR : WM_CHAR;
    for (QChar ch : text) {
      if (charMessage == WM_SYSCHAR && PreTranslate(m_wnd, charMessage, ch.unicode(), LPARAM(lParam))) {
        if (!*alive || m_detached) return true;
        toolkitWanted = false;
        continue;
      }
      CWnd::DispatchFrame charFrame;
      // A single character whose key went to the default processing is typed as soon as its
      // own default processing runs, so that its handler sees the control with it typed.
      charFrame.deferToolkit = !(toolkitWanted && text.size() == 1);
      DispatchEvent(m_wnd, charMessage, ch.unicode(), LPARAM(lParam), event, &charFrame);
      if (!*alive || m_detached) return true;
      toolkitRan = charFrame.toolkitRan;
      toolkitWanted = toolkitWanted && (charFrame.toolkitWanted || charFrame.toolkitRan);
    }
  }
  if (toolkitWanted && !toolkitRan && IsToolkitControl()) RunToolkitDefault(event);
  event->accept();
  return true;
}

bool WndWidget::HandleFocus(QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    CWnd* next = nullptr;
    for (QWidget* w = QApplication::focusWidget(); w && !next; w = w->parentWidget()) next = WndOf(w);
    g_lastFocus = &m_wnd;
    DispatchEvent(m_wnd, WM_KILLFOCUS, WPARAM(next), 0, event);
  } else {
    CWnd* previous = g_lastFocus && CWnd::IsWindowHandle(g_lastFocus) ? g_lastFocus : nullptr;
    DispatchEvent(m_wnd, WM_SETFOCUS, WPARAM(previous), 0, event);
  }
  return true;
}

// ---------------------------------------------------------------- scroll bars

void WndWidget::EnsureScrollBar(int bar) {
  const int index = bar == SB_VERT ? 1 : 0;
  if (m_scrollBars[index]) return;
  auto* scrollBar = new QScrollBar(bar == SB_VERT ? Qt::Vertical : Qt::Horizontal, Widget());
  scrollBar->hide();
  QObject::connect(scrollBar, &QAbstractSlider::actionTriggered,
                   [this, bar](int action) { OnScrollAction(bar, action); });
  QObject::connect(scrollBar, &QAbstractSlider::sliderReleased, [this, bar] { OnScrollReleased(bar); });
  m_scrollBars[index] = scrollBar;
}

void WndWidget::UpdateScrollBars() {
  for (int bar : {SB_HORZ, SB_VERT}) {
    ScrollState& state = Scroll(bar);
    const SCROLLINFO& info = state.info;
    const bool needed =
        info.nMax > info.nMin && (info.nPage == 0 || int(info.nPage) <= info.nMax - info.nMin);
    const bool visible = state.shown && (needed || state.disableNoScroll);
    if (!visible && !m_scrollBars[bar == SB_VERT ? 1 : 0]) continue;
    EnsureScrollBar(bar);
    QScrollBar* scrollBar = m_scrollBars[bar == SB_VERT ? 1 : 0];
    QSignalBlocker block(scrollBar);
    scrollBar->setRange(info.nMin, std::max(info.nMin, info.nMax - std::max(int(info.nPage) - 1, 0)));
    scrollBar->setPageStep(std::max(int(info.nPage), 1));
    if (!state.dragging) scrollBar->setValue(info.nPos);
    scrollBar->setEnabled(needed);
    scrollBar->setVisible(visible);
  }
  ReportClientSize();
}

void WndWidget::ApplyClientEdge() {
  const int edge = !IsToolkitControl() && (m_wnd.GetExStyle() & WS_EX_CLIENTEDGE) ? kClientEdgeWidth : 0;
  const QPoint origin(edge, edge);
  if (origin == m_clientOrigin) return;
  const QPoint shift = origin - m_clientOrigin;
  m_clientOrigin = origin;
  for (QObject* object : Widget()->children()) {
    auto* child = qobject_cast<QWidget*>(object);
    if (dynamic_cast<WndWidget*>(child) && !child->isWindow()) child->move(child->pos() + shift);
  }
  Widget()->update();
}

void WndWidget::LayoutScrollBars() {
  QWidget* widget = Widget();
  const bool vertical = m_scrollBars[1] && m_scrollBars[1]->isVisibleTo(widget);
  const bool horizontal = m_scrollBars[0] && m_scrollBars[0]->isVisibleTo(widget);
  const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
  const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
  // The bars sit inside the sunken edge, beside and below the client area.
  const QPoint origin = m_clientOrigin;
  const int width = widget->width() - 2 * origin.x() - (vertical ? barWidth : 0);
  const int height = widget->height() - 2 * origin.y() - (horizontal ? barHeight : 0);
  if (vertical) m_scrollBars[1]->setGeometry(origin.x() + width, origin.y(), barWidth, height);
  if (horizontal) m_scrollBars[0]->setGeometry(origin.x(), origin.y() + height, width, barHeight);
}

void WndWidget::OnScrollAction(int bar, int action) {
  WndEventScope scope;
  QScrollBar* scrollBar = m_scrollBars[bar == SB_VERT ? 1 : 0];
  ScrollState& state = Scroll(bar);
  UINT code = SB_ENDSCROLL;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
      code = SB_LINEDOWN;
      break;
    case QAbstractSlider::SliderSingleStepSub:
      code = SB_LINEUP;
      break;
    case QAbstractSlider::SliderPageStepAdd:
      code = SB_PAGEDOWN;
      break;
    case QAbstractSlider::SliderPageStepSub:
      code = SB_PAGEUP;
      break;
    case QAbstractSlider::SliderToMinimum:
      code = SB_TOP;
      break;
    case QAbstractSlider::SliderToMaximum:
      code = SB_BOTTOM;
      break;
    case QAbstractSlider::SliderMove:
      code = SB_THUMBTRACK;
      state.dragging = true;
      state.info.nTrackPos = scrollBar->sliderPosition();
      break;
    default:
      return;
  }
  const UINT message = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
  const WORD pos = code == SB_THUMBTRACK ? WORD(state.info.nTrackPos) : 0;
  auto alive = m_wnd.m_alive;
  m_wnd.SendMessage(message, MAKEWPARAM(WORD(code), pos), 0);
  if (!*alive || m_detached || code == SB_THUMBTRACK) return;
  m_wnd.SendMessage(message, MAKEWPARAM(WORD(SB_ENDSCROLL), 0), 0);
  // The position is the window's to set; the bar shows what the window decided.
  if (*alive && !m_detached) {
    QTimer::singleShot(0, Widget(), [this] {
      if (!m_detached) UpdateScrollBars();
    });
  }
}

void WndWidget::OnScrollReleased(int bar) {
  WndEventScope scope;
  ScrollState& state = Scroll(bar);
  if (!state.dragging) return;
  state.dragging = false;
  const UINT message = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
  auto alive = m_wnd.m_alive;
  m_wnd.SendMessage(message, MAKEWPARAM(WORD(SB_THUMBPOSITION), WORD(state.info.nTrackPos)), 0);
  if (*alive && !m_detached) m_wnd.SendMessage(message, MAKEWPARAM(WORD(SB_ENDSCROLL), 0), 0);
  if (*alive && !m_detached) UpdateScrollBars();
}
