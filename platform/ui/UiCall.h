#pragma once
// Runs a call on the user-interface thread (at once when already there) and returns its
// result: windows and controls may be used from worker threads, as the program does, while their
// widgets are only ever touched on the UI thread.

#include <type_traits>

#include "platform/ui/UiThread.h"

template <class F>
auto CallOnUiThread(F f) -> decltype(f()) {
  using Result = decltype(f());
  if (IsUiThread()) return f();
  if constexpr (std::is_void_v<Result>) {
    RunOnUiThreadAndWait(f);
  } else {
    Result result{};
    RunOnUiThreadAndWait([&] { result = f(); });
    return result;
  }
}
