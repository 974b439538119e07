#include "platform/ui/UiThread.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>

#include "platform/kernel/SyncObject.h"
#include "platform/kernel/ThreadHandOver.h"
#include "platform/ui/UiThreadDispatch.h"

namespace {

// A call handed to the UI thread, as an event of the toolkit's queue. The queue passes it on
// under a lock the thread sanitizer cannot see, so the event is marked as handed over once it
// is complete and as taken over before it runs.
class CUiCallEvent : public QEvent {
 public:
  static QEvent::Type EventType() {
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
  }
  explicit CUiCallEvent(std::function<void()> call) : QEvent(EventType()), m_call(std::move(call)) {}
  void Run() { m_call(); }

 private:
  std::function<void()> m_call;
};

// Runs the calls on the thread it lives on; the calls still queued go with it, unrun.
class CUiCallReceiver : public QObject {
 protected:
  bool event(QEvent* event) override {
    MarkTakenOver(event);
    if (event->type() != CUiCallEvent::EventType()) return QObject::event(event);
    static_cast<CUiCallEvent*>(event)->Run();
    return true;
  }
};

std::mutex g_mutex;
QObject* g_dispatcher = nullptr;  // lives on the UI thread; guarded by g_mutex

// The state of one call handed to the UI thread, shared by the waiting caller and the queued
// functor.
struct SPendingCall {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  bool ran = false;
  std::exception_ptr error;

  void Finish() {
    {
      std::lock_guard lock(mutex);
      finished = true;
    }
    done.notify_all();
  }
};

// Finishes the call when the queued functor goes away, whether it ran or was dropped with the
// dispatcher, so that the caller never waits for a call that can no longer run.
struct SFinishOnRelease {
  explicit SFinishOnRelease(std::shared_ptr<SPendingCall> pending) : call(std::move(pending)) {}
  ~SFinishOnRelease() { call->Finish(); }
  SFinishOnRelease(const SFinishOnRelease&) = delete;
  SFinishOnRelease& operator=(const SFinishOnRelease&) = delete;
  std::shared_ptr<SPendingCall> call;
};

// A wait on this thread keeps its events flowing. It may run inside the handling of a posted
// event, and the toolkit's loop offers the events queued behind that one again only once it is
// woken by something newly posted; so the wait wakes it itself. A worker's call queued there
// would otherwise wait for the waiting thread, and it for the worker.
void PumpUiEvents() {
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) dispatcher->wakeUp();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool Post(std::function<void()> call) {
  std::lock_guard lock(g_mutex);
  if (!g_dispatcher) return false;
  auto* event = new CUiCallEvent(std::move(call));
  MarkHandedOver(event);
  QCoreApplication::postEvent(g_dispatcher, event);
  return true;
}

}  // namespace

void StartUiThreadDispatch() {
  std::lock_guard lock(g_mutex);
  if (g_dispatcher) return;
  g_dispatcher = new CUiCallReceiver;
  SetThreadWaitPump(&PumpUiEvents);
}

void StopUiThreadDispatch() {
  QObject* dispatcher = nullptr;
  {
    std::lock_guard lock(g_mutex);
    dispatcher = g_dispatcher;
    g_dispatcher = nullptr;
  }
  SetThreadWaitPump(nullptr);
  delete dispatcher;  // drops the queued calls
}

bool IsUiThread() {
  std::lock_guard lock(g_mutex);
  return g_dispatcher && g_dispatcher->thread() == QThread::currentThread();
}

bool PostToUiThread(std::function<void()> call) { return Post(std::move(call)); }

bool RunOnUiThreadAndWait(std::function<void()> call) {
  bool runHere = false;
  {
    std::lock_guard lock(g_mutex);
    runHere = !g_dispatcher || g_dispatcher->thread() == QThread::currentThread();
  }
  // Run outside the lock: the call may itself hand work to the UI thread.
  if (runHere) {
    call();
    return true;
  }
  auto pending = std::make_shared<SPendingCall>();
  auto release = std::make_shared<SFinishOnRelease>(pending);
  bool posted = Post([release, call = std::move(call)] {
    try {
      call();
      release->call->ran = true;
    } catch (...) {
      release->call->error = std::current_exception();
    }
  });
  release.reset();
  if (!posted) return false;
  std::unique_lock lock(pending->mutex);
  pending->done.wait(lock, [&] { return pending->finished; });
  if (pending->error) std::rethrow_exception(pending->error);
  return pending->ran;
}
