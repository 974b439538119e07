#pragma once
// The application's wait cursor, shown over all of its windows while a long job runs. Callable
// from any thread: the change is handed to the user-interface thread in call order; without
// that thread nothing is shown. Calls nest: each Begin needs its End.

void BeginWaitCursor();
void EndWaitCursor();

// Shows the wait cursor for the lifetime of the object.
class CWaitCursorScope {
 public:
  CWaitCursorScope() { BeginWaitCursor(); }
  ~CWaitCursorScope() { EndWaitCursor(); }
  CWaitCursorScope(const CWaitCursorScope&) = delete;
  CWaitCursorScope& operator=(const CWaitCursorScope&) = delete;
};
