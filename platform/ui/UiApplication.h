#pragma once
// The program's user-interface application: made once on the thread that becomes the UI
// thread, it runs the event loop until the main window closes or Quit is called. Numbers stay
// in the C locale (the toolkit takes the process locale from the environment when it starts).
// SIGTERM and SIGINT end the loop cleanly with exit code 0 while the application lives.

#include <memory>

#include "platform/base/String.h"

class CUiApplication {
 public:
  // Tests use the first form; the program passes its command line.
  CUiApplication();
  CUiApplication(int& argc, char** argv);
  ~CUiApplication();
  CUiApplication(const CUiApplication&) = delete;
  CUiApplication& operator=(const CUiApplication&) = delete;

  void ShowMainWindow(const CString& title);
  void CloseMainWindow();
  // Runs the event loop; returns the exit code (0 when the main window was closed).
  int Run();
  // Runs the event loop until standard input ends (exit code 0), Quit or a termination signal.
  // A helper process keeps serving what its user interface owns, such as the data it put on
  // the clipboard, for as long as its parent holds the pipe open.
  int RunUntilInputEnds();
  // Ends the event loop with the exit code; callable from any thread.
  static void Quit(int exitCode);

 private:
  struct SImpl;
  std::unique_ptr<SImpl> m_impl;
};
