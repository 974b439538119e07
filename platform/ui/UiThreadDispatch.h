#pragma once
// Used by CUiApplication only: makes the calling thread the UI thread for as long as the
// application lives, and installs the wait pump there, so that waits on the UI thread keep
// processing events (and the calls other threads hand to it).

void StartUiThreadDispatch();
// Calls still queued are dropped; their waiting callers return false.
void StopUiThreadDispatch();
