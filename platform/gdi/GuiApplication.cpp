#include "platform/gdi/GuiApplication.h"

#include <QGuiApplication>
#include <QScreen>
#include <clocale>
#include <mutex>

#include "platform/gdi/ProgramFonts.h"
#include "platform/gdi/SystemInfo.h"

namespace {

RECT ToRect(const QRect& rect) { return RECT{rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}; }

void TakeScreen(const QScreen* screen) {
  if (screen) SetDisplayScreen(ToRect(screen->geometry()), ToRect(screen->availableGeometry()));
}

}  // namespace

void EnsureGuiApplication() {
  static std::mutex lock;
  std::lock_guard guard(lock);
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "zd-zedo";
  static char* argv[] = {name, nullptr};
  UseProgramFonts();
  new QGuiApplication(argc, argv);
  // Qt takes the process locale from the environment; numbers stay in the C locale.
  std::setlocale(LC_NUMERIC, "C");
  FollowPrimaryScreen();
}

void FollowPrimaryScreen() {
  auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  if (!application) return;
  QScreen* primary = QGuiApplication::primaryScreen();
  TakeScreen(primary);
  if (primary) {
    QObject::connect(primary, &QScreen::geometryChanged, application, [primary] { TakeScreen(primary); });
    QObject::connect(primary, &QScreen::availableGeometryChanged, application,
                     [primary] { TakeScreen(primary); });
  }
  QObject::connect(application, &QGuiApplication::primaryScreenChanged, application,
                   [](QScreen* screen) { TakeScreen(screen); });
}
