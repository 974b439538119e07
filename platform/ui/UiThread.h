#pragma once
// The user-interface thread: the thread that made the UI application (CUiApplication). Widgets
// live there; other threads hand it work. Without a UI application there is no such thread.

#include <functional>

bool IsUiThread();
// Queues the call to the UI thread and returns at once; false (and nothing runs) when there
// is no UI thread.
bool PostToUiThread(std::function<void()> call);
// Runs the call on the UI thread and waits for it: at once when already there or when there
// is no UI thread, else queued, with the caller blocked until it has run. An exception of the
// call reaches the caller. False when the UI application ended before the call could run.
bool RunOnUiThreadAndWait(std::function<void()> call);
