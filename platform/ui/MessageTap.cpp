#include "platform/ui/MessageTap.h"

namespace {

// Set and called on the user-interface thread only.
MessageTap& Tap() {
  static MessageTap tap;
  return tap;
}

}  // namespace

MessageTap SetMessageTap(MessageTap tap) {
  MessageTap previous = std::move(Tap());
  Tap() = std::move(tap);
  return previous;
}

void TapMessage(CWnd& window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Tap()) Tap()(window, message, wParam, lParam);
}
