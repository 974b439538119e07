#include "platform/gdi/GuiApplication.h"

#include <QGuiApplication>
#include <clocale>
#include <mutex>

#include "platform/gdi/ProgramFonts.h"

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
}
