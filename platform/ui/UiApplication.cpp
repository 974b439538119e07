#include "platform/ui/UiApplication.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QThreadPool>
#include <QWidget>
#include <clocale>

#include "platform/gdi/GuiApplication.h"
#include "platform/gdi/ProgramFonts.h"
#include "platform/gdi/QtString.h"
#include "platform/ui/UiThread.h"
#include "platform/ui/UiThreadDispatch.h"

namespace {

int g_programArgc = 1;
char g_programName[] = "zd-zedo";
char* g_programArgv[] = {g_programName, nullptr};

// The termination signals reach the event loop through a pipe: a signal handler may only
// write to it, the loop reads it and quits.
int g_signalPipe[2] = {-1, -1};
// A second termination signal ends the process at once: the first may have found the program
// stuck where the loop cannot end it (a box that keeps coming back), and a signal to end must
// never be ignored for good.
volatile sig_atomic_t g_terminationRequested = 0;

void OnTerminationSignal(int number) {
  if (g_terminationRequested) {
    signal(number, SIG_DFL);
    raise(number);
    return;
  }
  g_terminationRequested = 1;
  const char byte = 1;
  [[maybe_unused]] ssize_t written = write(g_signalPipe[1], &byte, 1);
}

}  // namespace

struct CUiApplication::SImpl {
  struct sigaction oldTerm {};
  struct sigaction oldInt {};
  std::unique_ptr<QApplication> application;
  std::unique_ptr<QSocketNotifier> signalNotifier;
  std::unique_ptr<QWidget> mainWindow;

  // Before the toolkit starts, so that a signal during start-up already ends cleanly.
  void CatchTerminationSignals() {
    if (pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    g_terminationRequested = 0;
    struct sigaction action {};
    action.sa_handler = &OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, &oldTerm);
    sigaction(SIGINT, &action, &oldInt);
  }

  void ListenForSignals() {
    if (g_signalPipe[0] < 0) return;
    signalNotifier = std::make_unique<QSocketNotifier>(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(signalNotifier.get(), &QSocketNotifier::activated, [] {
      char buffer[16];
      while (read(g_signalPipe[0], buffer, sizeof buffer) > 0) {
      }
      QCoreApplication::exit(0);
    });
  }

  void ReleaseSignals() {
    if (g_signalPipe[0] < 0) return;
    signalNotifier.reset();
    sigaction(SIGTERM, &oldTerm, nullptr);
    sigaction(SIGINT, &oldInt, nullptr);
    close(g_signalPipe[0]);
    close(g_signalPipe[1]);
    g_signalPipe[0] = g_signalPipe[1] = -1;
  }
};

CUiApplication::CUiApplication() : CUiApplication(g_programArgc, g_programArgv) {}

CUiApplication::CUiApplication(int& argc, char** argv) : m_impl(std::make_unique<SImpl>()) {
  m_impl->CatchTerminationSignals();
  UseProgramFonts();
  m_impl->application = std::make_unique<QApplication>(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  FollowPrimaryScreen();
  // The toolkit hands large fills to its global thread pool, a thread per core. The program's
  // windows are small: starting and waking those threads costs more than they save, most of all
  // on a busy machine, and the first painted frame waits for all of them. One helper does it.
  QThreadPool::globalInstance()->setMaxThreadCount(1);
  StartUiThreadDispatch();
  m_impl->ListenForSignals();
}

CUiApplication::~CUiApplication() {
  m_impl->mainWindow.reset();
  m_impl->ReleaseSignals();
  StopUiThreadDispatch();
  // What was handed over for deletion once its event is handled (killed timers, widgets of
  // destroyed windows) goes now: only a running event loop deletes it, and the toolkit drops
  // whatever is still waiting when the application goes.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  m_impl->application.reset();
}

void CUiApplication::ShowMainWindow(const CString& title) {
  if (!m_impl->mainWindow) m_impl->mainWindow = std::make_unique<QWidget>();
  m_impl->mainWindow->setWindowTitle(ToQString(title));
  m_impl->mainWindow->resize(1024, 768);
  m_impl->mainWindow->show();
}

void CUiApplication::CloseMainWindow() {
  if (m_impl->mainWindow) m_impl->mainWindow->close();
}

int CUiApplication::Run() { return QApplication::exec(); }

int CUiApplication::RunUntilInputEnds() {
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&input] {
    char buffer[256];
    const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
    if (got > 0 || (got < 0 && (errno == EINTR || errno == EAGAIN))) return;
    // The end of the input, or input that cannot be read at all.
    input.setEnabled(false);
    QCoreApplication::exit(0);
  });
  return QApplication::exec();
}

void CUiApplication::Quit(int exitCode) {
  PostToUiThread([exitCode] { QCoreApplication::exit(exitCode); });
}
