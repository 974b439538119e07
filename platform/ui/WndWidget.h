#pragma once
// The toolkit side of a window (platform layer only). WndWidget turns the events of one widget
// into window messages for its CWnd; WndWidgetOf<Base> puts it over a toolkit widget class:
// QWidget for plain windows, which paint from their backing image, or a toolkit control
// (line edit, text edit, ...) whose own event handling is the window's default processing.

#include <QElapsedTimer>
#include <QEvent>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>

#include "platform/ui/Wnd.h"
#include "platform/ui/WndDispatch.h"
#include "platform/ui/WndEventScope.h"

// A message posted to a window, delivered through the widget's event queue. While it waits in
// the queue it is listed as pending, so that RemovePostedMessages can take it back; delivery
// takes it off the list first (TakeForDelivery), and a removed message is not delivered.
class PostedMessageEvent : public QEvent {
 public:
  static QEvent::Type EventType();
  PostedMessageEvent(CWnd* target, UINT message, WPARAM wParam, LPARAM lParam);
  ~PostedMessageEvent() override;
  // False when the message was removed before it could be delivered.
  bool TakeForDelivery();
  CWnd* target;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class WndWidget {
 public:
  explicit WndWidget(CWnd& wnd) : m_wnd(wnd) {}
  virtual ~WndWidget();
  WndWidget(const WndWidget&) = delete;
  WndWidget& operator=(const WndWidget&) = delete;

  // The window has been destroyed: the widget stops reaching it and goes away when no event of
  // its own is being handled any more.
  void Detach();
  virtual QWidget* Widget() = 0;
  // True for toolkit controls, whose own handling of an event is the default processing.
  virtual bool IsToolkitControl() const { return false; }
  // Runs the toolkit's own handling of the event.
  virtual void RunToolkitDefault(QEvent* event) = 0;
  // The window text where the control keeps it itself; plain windows keep it in CWnd.
  virtual bool GetControlText(CString& /*text*/) const { return false; }
  virtual bool SetControlText(const CString& /*text*/) { return false; }
  // The size the window takes when it is created or moved with the given one; a control whose
  // window keeps a size of its own (a closed drop-down box) answers differently.
  virtual QSize PlacedSize(const QSize& asked) { return asked; }
  // A message that a toolkit control answers itself when it was sent or posted rather than
  // made from an event of the toolkit (a character typed by a message, a selection set by one);
  // false leaves it to the common default processing.
  virtual bool ControlMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
    return false;
  }

  // The window behind a widget, or null.
  static CWnd* WndOf(const QWidget* widget);
  // The modifier keys and mouse buttons held at the last input event, as GetKeyState reports
  // them: the state that goes with the message being handled, simulated input included.
  static Qt::KeyboardModifiers HeldModifiers();
  static Qt::MouseButtons HeldButtons();
  // Whether the key's release follows its press with no other key or mouse button between:
  // Alt or F10 pressed and released alone. Asking forgets the press.
  static bool TakeLoneMenuKey(UINT virtualKey);

  // Client area: the widget minus its sunken edge and its visible scroll bars.
  QSize ClientSize() const;
  // Width of the sunken edge that WS_EX_CLIENTEDGE draws inside the window rectangle.
  static constexpr int kClientEdgeWidth = 2;
  // Where the client area starts in the widget: inside the sunken edge of WS_EX_CLIENTEDGE.
  QPoint ClientOrigin() const { return m_clientOrigin; }
  // The image the window draws into, white where nothing is drawn yet. Made at the client
  // size when first drawn into or shown: a frame resizes its windows several times while it is
  // laid out, and the toolkit's own controls draw without one. With an area, only that part
  // is made ready yet: memory that is never drawn into nor shown stays untouched.
  QImage& BackingImage(const QRegion* area = nullptr);
  // The part of the region that no plain child window and no control that fills its
  // background covers. Those show themselves over their parent, which neither paints nor shows
  // what lies beneath them.
  QRegion UncoveredPart(const QRegion& region);
  // Ends the drawing still open on the backing image, so that it can be shown.
  void ReleaseBacking();
  // Accumulated invalid region (client coordinates) and whether WM_ERASEBKGND is owed.
  QRegion& InvalidRegion() { return m_invalid; }
  bool& EraseOwed() { return m_eraseOwed; }
  void Invalidate(const QRegion& region, bool erase);
  // Sends WM_PAINT when something is invalid.
  void PaintNow();
  // Paints what is invalid and puts the window's picture on the screen before it returns, with
  // no event loop running, as the platform's UpdateWindow does: a window that busy work on
  // the user-interface thread updates shows it at once.
  void UpdateNow();
  // Shows the backing image on the screen when the toolkit next paints.
  void ScheduleScreenUpdate(const QRect& rect);

  // Lays out the edge and the scroll bars anew, then sends WM_SIZE when the client size differs
  // from the last one reported.
  void ReportClientSize();
  bool& TrackLeave() { return m_trackLeave; }
  bool MouseInside() const { return m_mouseInside; }

  // Timers by id.
  void SetTimer(UINT_PTR id, UINT elapseMs);
  bool KillTimer(UINT_PTR id);
  void KillAllTimers();

  // Window scroll bars (SB_HORZ, SB_VERT).
  struct ScrollState {
    SCROLLINFO info;
    bool shown = false;            // WS_xSCROLL or ShowScrollBar
    bool disableNoScroll = false;  // SIF_DISABLENOSCROLL: an unneeded bar stays, disabled
    bool dragging = false;
  };
  ScrollState& Scroll(int bar) { return m_scroll[bar == SB_VERT ? 1 : 0]; }
  // The toolkit's bar of SB_HORZ or SB_VERT, null before the bar was first needed.
  QScrollBar* ScrollBarWidget(int bar) const { return m_scrollBars[bar == SB_VERT ? 1 : 0]; }
  void UpdateScrollBars();

 protected:
  // Handles the event when it becomes a message; false leaves it to the toolkit.
  bool HandleEvent(QEvent* event);
  void PaintBacking(QPaintEvent* event);

 private:
  bool HandleMouse(QEvent* event);
  // Asks the window under a press into an inactive window whether the press activates it
  // (WM_MOUSEACTIVATE); false when the press is to be eaten.
  bool OfferActivation(UINT message);
  bool HandleWheel(QEvent* event);
  bool HandleKey(QEvent* event);
  bool HandleFocus(QEvent* event);
  void EnsureScrollBar(int bar);
  void OnScrollAction(int bar, int action);
  void OnScrollReleased(int bar);
  void LayoutScrollBars();
  // Takes on the client origin of the window's current style; child windows keep their place
  // in the client area and so move with it.
  void ApplyClientEdge();
  void DrawClientEdge(QPainter& painter);
  // Puts the area (widget coordinates) of the widget on the screen now.
  void ShowOnScreenNow(const QRegion& area);

  LRESULT DispatchEvent(CWnd& target, UINT message, WPARAM wParam, LPARAM lParam, QEvent* event,
                        CWnd::DispatchFrame* frame = nullptr);
  // Offers the message to PreTranslateMessage of the target and its parents.
  static bool PreTranslate(CWnd& target, UINT message, WPARAM wParam, LPARAM lParam);

  CWnd& m_wnd;
  bool m_detached = false;
  QImage m_backing;
  // Set while UpdateNow shows what it has just painted: the toolkit's paint of this window
  // then only copies the backing image, so that what that paint invalidated waits for the next
  // paint, as after the platform's UpdateWindow.
  bool m_showingOnly = false;
  // When this top-level window was last sent whole to the screen ahead of the toolkit, which
  // did not yet know the window to be there.
  QElapsedTimer m_sentWholeAhead;
  QRegion m_unwhitened;  // of the backing image, not yet made white
  QRegion m_invalid;
  bool m_eraseOwed = false;
  // What the window's own paint handler invalidates while it paints: it stays invalid after
  // the paint, as it does after the platform's end of painting.
  bool m_painting = false;
  QRegion m_invalidWhilePainting;
  bool m_eraseOwedWhilePainting = false;
  QSize m_reportedSize{-1, -1};
  QPoint m_clientOrigin;
  bool m_trackLeave = false;
  bool m_mouseInside = false;
  std::map<UINT_PTR, std::unique_ptr<QTimer>> m_timers;
  ScrollState m_scroll[2];
  QScrollBar* m_scrollBars[2] = {nullptr, nullptr};  // children of the widget
};

// The toolkit's window flags of a top-level window with the styles: WS_POPUP without a caption
// has no frame, WS_EX_TOOLWINDOW makes a tool window, WS_EX_TOPMOST keeps it above the others.
Qt::WindowFlags TopLevelWindowFlags(DWORD style, DWORD exStyle);

// Whether the window system may hand the top-level window the activation and the focus.
void AllowActivation(QWidget* topLevel, bool allow);

// The toolkit widget of a window; null without a window or before the window is created.
inline QWidget* QtWidgetOf(const CWnd* wnd) {
  return wnd && wnd->GetWidget() ? wnd->GetWidget()->Widget() : nullptr;
}

template <class Base>
class WndWidgetOf : public Base, public WndWidget {
 public:
  // Moves reach the window with no button down too, as the platform's mouse messages do.
  WndWidgetOf(CWnd& wnd, QWidget* parent) : Base(parent), WndWidget(wnd) { Base::setMouseTracking(true); }
  QWidget* Widget() override { return this; }
  bool IsToolkitControl() const override { return !std::is_same_v<Base, QWidget>; }
  void RunToolkitDefault(QEvent* event) override { Base::event(event); }

 protected:
  bool event(QEvent* event) override {
    if (HandleEvent(event)) return true;
    return Base::event(event);
  }
  void paintEvent(QPaintEvent* event) override {
    if constexpr (std::is_same_v<Base, QWidget>) {
      PaintBacking(event);
    } else {
      Base::paintEvent(event);
    }
  }
};
