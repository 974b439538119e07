#pragma once
// Waiting on a real X server, whose answers (a mapped window, a window manager's frame, a
// grab) arrive in their own time.

#include <functional>

#include "platform/ui/SimulatedInput.h"

// Handles events until the condition holds; false when it never does.
inline bool WaitFor(const std::function<bool()>& condition) {
  for (int round = 0; round < 500; ++round) {
    if (condition()) return true;
    PumpMessages(10);
  }
  return condition();
}
