// The yardstick of the start-up benchmark: a bare toolkit program that opens one empty window
// and, like the program under ZD_FIRST_PAINT_PROBE, prints "first-paint" when the window is
// first painted.

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <cstdio>

namespace {

class FirstPaint : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      // Reported once the first paint is done, as the program does.
      QMetaObject::invokeMethod(
          this,
          [] {
            std::printf("first-paint\n");
            std::fflush(stdout);
          },
          Qt::QueuedConnection);
      watched->removeEventFilter(this);
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  FirstPaint probe;
  window.installEventFilter(&probe);
  window.setWindowTitle("Bare window");
  window.resize(960, 972);
  window.show();
  return application.exec();
}
