#include "platform/ui/OleDropTarget.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QWidget>

#include "platform/gdi/QtString.h"
#include "platform/kernel/ThreadHandOver.h"
#include "platform/ui/OleTextDrag.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WndWidget.h"

namespace {

DWORD KeyStateOf(const QDropEvent& event) {
  DWORD keys = 0;
  if (event.modifiers() & Qt::ControlModifier) keys |= MK_CONTROL;
  if (event.modifiers() & Qt::ShiftModifier) keys |= MK_SHIFT;
  if (event.buttons() & Qt::LeftButton) keys |= MK_LBUTTON;
  return keys;
}

COleDataObject DataOf(const QMimeData* mime) {
  COleDataObject data;
  data.Attach(mime && mime->hasText() ? BlocksOfText(FromQString(mime->text())) : OleDataBlocks{});
  return data;
}

// Turns the toolkit's drag events on a window's widget into the drop target's calls.
class DropTargetFilter : public QObject {
 public:
  DropTargetFilter(QWidget* widget, CWnd* window, COleDropTarget* target)
      : QObject(widget), m_window(window), m_target(target) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    // The filter sees the window's events first, also the messages other threads post to it.
    MarkTakenOver(event);
    switch (event->type()) {
      case QEvent::DragEnter:
        Enter(*static_cast<QDragEnterEvent*>(event));
        return true;
      case QEvent::DragMove:
        Over(*static_cast<QDragMoveEvent*>(event));
        return true;
      case QEvent::DragLeave:
        m_effect = DROPEFFECT_NONE;
        m_target->OnDragLeave(m_window);
        return true;
      case QEvent::Drop:
        Drop(*static_cast<QDropEvent*>(event));
        return true;
      default:
        return false;
    }
  }

 private:
  CPoint ClientPoint(const QDropEvent& event) const {
    const QPoint at = event.position().toPoint() - m_window->GetWidget()->ClientOrigin();
    return CPoint(at.x(), at.y());
  }

  // Answers the toolkit with the effect; a drag that entered stays to be told of later moves.
  void Answer(QDropEvent& event, DROPEFFECT effect, bool entering) {
    m_effect = effect;
    if (effect != DROPEFFECT_NONE) {
      event.setDropAction(ActionOfEffect(effect));
      event.accept();
    } else if (entering) {
      event.setDropAction(Qt::IgnoreAction);
      event.accept();
    } else {
      event.ignore();
    }
  }

  void Enter(QDragEnterEvent& event) {
    COleDataObject data = DataOf(event.mimeData());
    Answer(event, m_target->OnDragEnter(m_window, &data, KeyStateOf(event), ClientPoint(event)), true);
  }

  void Over(QDragMoveEvent& event) {
    const DWORD keys = KeyStateOf(event);
    const CPoint point = ClientPoint(event);
    DROPEFFECT effect = m_target->OnDragScroll(m_window, keys, point);
    if (!(effect & DROPEFFECT_SCROLL)) {
      COleDataObject data = DataOf(event.mimeData());
      effect = m_target->OnDragOver(m_window, &data, keys, point);
    }
    Answer(event, effect & ~DROPEFFECT_SCROLL, false);
  }

  void Drop(QDropEvent& event) {
    const DROPEFFECT effect = m_effect;
    m_effect = DROPEFFECT_NONE;
    if (effect == DROPEFFECT_NONE) {
      m_target->OnDragLeave(m_window);
      event.ignore();
      return;
    }
    COleDataObject data = DataOf(event.mimeData());
    if (m_target->OnDrop(m_window, &data, effect, ClientPoint(event))) {
      event.setDropAction(ActionOfEffect(effect));
      event.accept();
    } else {
      event.ignore();
    }
  }

  CWnd* m_window;
  COleDropTarget* m_target;
  DROPEFFECT m_effect = DROPEFFECT_NONE;  // the last answer to an enter or over
};

}  // namespace

struct COleDropTarget::SLink {
  QPointer<QObject> filter;
};

COleDropTarget::COleDropTarget() : m_link(std::make_unique<SLink>()) {}

COleDropTarget::~COleDropTarget() { Revoke(); }

BOOL COleDropTarget::Register(CWnd* window) {
  if (m_link->filter || !window || !window->GetWidget()) return FALSE;
  QWidget* widget = window->GetWidget()->Widget();
  widget->setAcceptDrops(true);
  auto* filter = new DropTargetFilter(widget, window, this);
  widget->installEventFilter(filter);
  m_link->filter = filter;
  return TRUE;
}

void COleDropTarget::Revoke() {
  // The filter goes with its widget when the window is destroyed first.
  if (!m_link->filter) return;
  if (auto* widget = qobject_cast<QWidget*>(m_link->filter->parent())) widget->setAcceptDrops(false);
  delete m_link->filter.data();
  m_link->filter = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
void COleDropTarget::OnDragLeave(CWnd*) {}
BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }
DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint) { return DROPEFFECT_NONE; }

SSimulatedDrop SimulateOleDrop(HWND window, const OleDataBlocks& blocks, POINT point, DWORD keyState) {
  SSimulatedDrop result;
  if (!CWnd::IsWindowHandle(window) || !window->GetWidget()) return result;
  QWidget* widget = window->GetWidget()->Widget();
  QMimeData mime;
  mime.setText(ToQString(TextOfBlocks(blocks)));
  const QPoint at = QPoint(point.x, point.y) + window->GetWidget()->ClientOrigin();
  const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
  if (keyState & MK_CONTROL) modifiers |= Qt::ControlModifier;
  if (keyState & MK_SHIFT) modifiers |= Qt::ShiftModifier;
  const Qt::MouseButtons buttons = Qt::LeftButton;

  QDragEnterEvent enter(at, actions, &mime, buttons, modifiers);
  enter.ignore();
  QCoreApplication::sendEvent(widget, &enter);
  if (!enter.isAccepted()) return result;
  QDragMoveEvent over(at, actions, &mime, buttons, modifiers);
  over.ignore();
  QCoreApplication::sendEvent(widget, &over);
  result.over = over.isAccepted() ? EffectOfAction(over.dropAction()) : DROPEFFECT_NONE;
  if (result.over == DROPEFFECT_NONE) {
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(widget, &leave);
    return result;
  }
  QDropEvent drop(QPointF(at), actions, &mime, buttons, modifiers);
  drop.setDropAction(ActionOfEffect(result.over));
  drop.ignore();
  QCoreApplication::sendEvent(widget, &drop);
  result.dropped = drop.isAccepted() ? EffectOfAction(drop.dropAction()) : DROPEFFECT_NONE;
  return result;
}
