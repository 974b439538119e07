#include "platform/ui/MessagePump.h"

#include <QApplication>

#include "platform/ui/FrameWnd.h"

void PumpWaitingMessages() {
  // The toolkit's exit request marks every running loop to end, so a quit dispatched here is
  // never lost to the nested pumping.
  QApplication::processEvents(QEventLoop::AllEvents);
  if (auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd())) frame->UpdateControlBars();
}
