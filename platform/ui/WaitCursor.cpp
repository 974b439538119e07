#include "platform/ui/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

#include "platform/ui/UiThread.h"

void BeginWaitCursor() {
  PostToUiThread([] { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); });
}

void EndWaitCursor() {
  PostToUiThread([] { QGuiApplication::restoreOverrideCursor(); });
}
