#include "platform/ui/DropFiles.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "platform/gdi/QtString.h"
#include "platform/kernel/ThreadHandOver.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WndWidget.h"

struct DropData {
  std::vector<CString> paths;
};

namespace {

// Turns the toolkit's drops of local files into WM_DROPFILES for the window.
class DropFilter : public QObject {
 public:
  DropFilter(QObject* parent, CWnd* window) : QObject(parent), m_window(window) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    // The filter sees the window's events first, also the messages other threads post to it.
    MarkTakenOver(event);
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
      auto* drag = static_cast<QDropEvent*>(event);
      if (!LocalFiles(drag->mimeData()).empty()) drag->acceptProposedAction();
      return true;
    }
    if (event->type() != QEvent::Drop) return false;
    auto* drop = static_cast<QDropEvent*>(event);
    auto files = LocalFiles(drop->mimeData());
    if (files.empty() || !CWnd::IsWindowHandle(m_window)) return true;
    drop->acceptProposedAction();
    auto* data = new DropData{std::move(files)};
    m_window->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(data), 0);
    return true;
  }

 private:
  static std::vector<CString> LocalFiles(const QMimeData* mime) {
    std::vector<CString> files;
    if (!mime) return files;
    for (const QUrl& url : mime->urls())
      if (url.isLocalFile()) files.push_back(FromQString(url.toLocalFile()));
    return files;
  }

  CWnd* m_window;
};

constexpr const char* kFilterName = "zd-drop-files";

}  // namespace

void DragAcceptFiles(HWND window, BOOL accept) {
  if (!CWnd::IsWindowHandle(window) || !window->GetWidget()) return;
  QWidget* widget = window->GetWidget()->Widget();
  QObject* existing = widget->findChild<QObject*>(kFilterName, Qt::FindDirectChildrenOnly);
  widget->setAcceptDrops(accept);
  if (accept && !existing) {
    auto* filter = new DropFilter(widget, window);
    filter->setObjectName(kFilterName);
    widget->installEventFilter(filter);
  } else if (!accept && existing) {
    delete existing;
  }
}

UINT DragQueryFile(HDROP drop, UINT index, CString& path) {
  if (!drop) return 0;
  if (index == 0xFFFFFFFF) return UINT(drop->paths.size());
  if (index >= drop->paths.size()) return 0;
  path = drop->paths[index];
  return UINT(path.GetLength());
}

void DragFinish(HDROP drop) { delete drop; }

void SimulateDropFiles(HWND window, const std::vector<CString>& paths) {
  if (!CWnd::IsWindowHandle(window) || !window->GetWidget()) return;
  QWidget* widget = window->GetWidget()->Widget();
  QMimeData mime;
  QList<QUrl> urls;
  for (const CString& path : paths) urls.append(QUrl::fromLocalFile(ToQString(path)));
  mime.setUrls(urls);
  const QPointF where(widget->width() / 2.0, widget->height() / 2.0);
  QDragEnterEvent enter(where.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &enter);
  if (!enter.isAccepted()) return;
  QDropEvent drop(where, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &drop);
}
