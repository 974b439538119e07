// UpdateWindow's half that reaches the screen. The toolkit shows a window's pictures only from
// its event loop: a widget's update waits for the loop, and a top-level window becomes
// paintable only when the loop has heard from the window system that it is on the screen. Work
// that runs long on the user-interface thread (an export, a printout, expanding every row)
// holds the loop up, while the program counts on each UpdateWindow to show its window at once,
// as on the platform.

#include <QBackingStore>
#include <QPainter>
#include <QWidget>
#include <QWindow>

#include "platform/ui/WndWidget.h"

namespace {

// How long a window the toolkit does not yet know to be on the screen is sent piece by piece
// before it is sent whole again. The window system drops what is drawn into a window before
// it maps it (a window manager maps it a little after it was shown); real time, since it is
// about the window system and not about the program's own clock.
constexpr qint64 kResendWholeMilliseconds = 250;

}  // namespace

void WndWidget::UpdateNow() {
  // A paint handler may destroy the window: its widget stays until this call is over.
  WndEventScope scope;
  // A toolkit control keeps no invalid region of its own for the toolkit's pending paint:
  // the whole control is shown.
  const QRegion pending =
      IsToolkitControl() ? QRegion(Widget()->rect()) : m_invalid.translated(m_clientOrigin);
  PaintNow();
  if (m_detached) return;
  m_showingOnly = true;
  ShowOnScreenNow(pending);
  m_showingOnly = false;
}

void WndWidget::ShowOnScreenNow(const QRegion& area) {
  QWidget* widget = Widget();
  if (area.isEmpty() || !widget->isVisible() || !widget->updatesEnabled()) return;
  QWidget* top = widget->window();
  QWindow* window = top->windowHandle();
  auto* topHost = dynamic_cast<WndWidget*>(top);
  if (!window || !topHost || top->isMinimized()) return;
  if (window->isExposed()) {
    topHost->m_sentWholeAhead.invalidate();
    // Paints the area into the top-level window's backing store and sends it to the window
    // system before it returns.
    widget->repaint(area);
    return;
  }
  // The window was shown, but the toolkit has not yet heard that it is on the screen and paints
  // nothing of it until it has. The widget is drawn into the window's backing store and sent to
  // the window system from here; the toolkit paints it all again once the event loop hears of
  // the window.
  QBackingStore* store = top->backingStore();
  if (!store) return;
  const bool whole =
      !topHost->m_sentWholeAhead.isValid() || topHost->m_sentWholeAhead.hasExpired(kResendWholeMilliseconds);
  QWidget* drawn = whole ? top : widget;
  const QRect onTop(drawn->mapTo(top, QPoint()), drawn->size());
  if (store->size() != top->size()) store->resize(top->size());
  store->beginPaint(onTop);
  if (QPaintDevice* device = store->paintDevice()) {
    QPainter painter(device);
    drawn->render(&painter, onTop.topLeft(), QRegion(),
                  QWidget::DrawWindowBackground | QWidget::DrawChildren);
  }
  store->endPaint();
  store->flush(onTop, window);
  if (whole) topHost->m_sentWholeAhead.start();
}
