#include "device/DeviceThread.h"

#include <list>
#include <memory>

#include "device/CancelableStream.h"
#include "device/JvDevice.h"
#include "device/ShowMessage.h"
#include "platform/base/Clock.h"
#include "platform/kernel/CriticalSection.h"
#include "platform/kernel/Event.h"
#include "platform/kernel/Thread.h"

namespace Device {
namespace {

constexpr DWORD kStopGraceMs = 2000;
constexpr DWORD kGivenUpExitCode = 1;
constexpr DWORD kEventMissingExitCode = DWORD(-1);
constexpr DWORD kWaitFailedExitCode = 2;
// While an abort waits for the worker, the running job's stream is cancelled again at this
// pace, so that each read the job still starts ends at once.
constexpr DWORD kCancelRepeatMs = 20;
constexpr int kFatalMessageLine = 1554;
const char16_t kUnhandledText[] = u"Unhandled exception in Device Thread.";

struct SThreadEvents {
  CEvent stop{false, true};
  CEvent jobReady{false, true};
  CEvent idle{true, true};
  // Set whenever the worker has finished a job (and while it runs none).
  CEvent jobEnded{true, true};
};

struct SWorker {
  CThread thread;
  // Set when the worker is given up: it takes no more jobs and its abort test stays true.
  std::shared_ptr<std::atomic<bool>> retired = std::make_shared<std::atomic<bool>>(false);
};

// Process-wide; never destroyed, since a worker given up at exit may still be finishing.
struct SDeviceThreadState {
  CCriticalSection lock;  // guards the queue, the abort flag and the fields below
  std::list<SJobEntry> queue;
  std::shared_ptr<SThreadEvents> events;
  std::unique_ptr<SWorker> worker;
  // The receiver of the job the worker is running, null between jobs.
  CCallback* runningCallback = nullptr;
  // The running job is being aborted for its receiver alone: once it ends, the abort is lifted
  // and the queue goes on.
  bool withdrawingRunningJob = false;
};

// True on a worker thread: a receiver may drop its own jobs from within a report, but a
// worker cannot wait for the job it is running.
thread_local bool t_onWorker = false;

SDeviceThreadState& State() {
  static auto* state = new SDeviceThreadState;
  return *state;
}

bool IsAbortedLocked() {
  CSingleLock lock(State().lock);
  return IsDeviceThreadAborted();
}

size_t QueuedJobs() {
  CSingleLock lock(State().lock);
  return State().queue.size();
}

// Dropped update jobs put their devices back into the normal mode; called outside the lock,
// since that talks to the device.
void ReleaseDroppedJobs(std::list<SJobEntry>& dropped) {
  for (SJobEntry& job : dropped) {
    if (job.device) job.device->EnterMode12();
  }
}

// Drops every queued job; the jobs are taken out under the lock.
void DiscardQueue() {
  std::list<SJobEntry> dropped;
  {
    CSingleLock lock(State().lock);
    dropped.swap(State().queue);
  }
  ReleaseDroppedJobs(dropped);
}

void RunJob(SJobEntry& job) {
  switch (job.type) {
    case eJobSearch:
      SearchDevices(job);
      break;
    case eJobReconnect:
      AwaitReconnection(job);
      break;
    case eJobUpdate:
    case eJobUpdateFlagged:
      RunDeviceUpdate(job);
      break;
    default:
      break;
  }
}

// An exception escaping one job must not end the worker: later jobs still have to run.
void RunJobGuarded(SJobEntry& job) {
  try {
    RunJob(job);
  } catch (...) {
    ShowMessage(kFatalMessage, kUnhandledText, nullptr, "DeviceThread.cpp", kFatalMessageLine);
  }
}

DWORD DeviceThreadProc(std::shared_ptr<SThreadEvents> events, std::shared_ptr<std::atomic<bool>> retired) {
  if (!events) return kEventMissingExitCode;
  t_onWorker = true;
  SetThreadRetiredFlag(retired.get());
  for (;;) {
    {
      CSingleLock lock(State().lock);
      if (*retired) return kGivenUpExitCode;
      SetDeviceThreadAborted(false);
    }
    events->idle.SetEvent();
    const DWORD woken = WaitForObjects({&events->stop, &events->jobReady}, false, INFINITE);
    events->idle.ResetEvent();
    if (woken == WAIT_OBJECT_0) return 0;
    if (woken != WAIT_OBJECT_0 + 1) return kWaitFailedExitCode;
    events->jobReady.ResetEvent();
    for (size_t count = QueuedJobs(); count > 0; count = QueuedJobs()) {
      SJobEntry job;
      {
        CSingleLock lock(State().lock);
        if (*retired) return kGivenUpExitCode;
        if (IsDeviceThreadAborted() || State().queue.empty()) break;
        job = std::move(State().queue.front());
        State().queue.pop_front();
        State().runningCallback = job.callback;
        events->jobEnded.ResetEvent();
      }
      RunJobGuarded(job);
      {
        CSingleLock lock(State().lock);
        State().runningCallback = nullptr;
        if (State().withdrawingRunningJob) {
          State().withdrawingRunningJob = false;
          SetDeviceThreadAborted(false);
        }
      }
      events->jobEnded.SetEvent();
      // A worker given up meanwhile leaves the queue to its successor.
      if (*retired) return kGivenUpExitCode;
      if (IsAbortedLocked()) break;
    }
    if (IsAbortedLocked()) DiscardQueue();
  }
}

// Under the lock: starts a worker when none is held.
bool EnsureWorkerLocked() {
  SDeviceThreadState& state = State();
  if (state.worker) return true;
  auto worker = std::make_unique<SWorker>();
  if (!worker->thread.Start(
          [events = state.events, retired = worker->retired] { return DeviceThreadProc(events, retired); }))
    return false;
  state.worker = std::move(worker);
  return true;
}

// Gives the worker the grace period; one that has not ended by then is retired and forgotten.
// True when it ended in time.
bool EndWorker(DWORD graceMs) {
  std::unique_ptr<SWorker> worker;
  {
    CSingleLock lock(State().lock);
    worker = std::move(State().worker);
  }
  if (!worker) return true;
  if (worker->thread.StopWithGrace(graceMs, kGivenUpExitCode)) return true;
  *worker->retired = true;
  return false;
}

void SetAbort() {
  {
    CSingleLock lock(State().lock);
    SetDeviceThreadAborted(true);
    // An abort of everything outlasts the end of a job that was being withdrawn.
    State().withdrawingRunningJob = false;
  }
  CancelRegisteredStream();
}

}  // namespace

bool StartDeviceThread() {
  SDeviceThreadState& state = State();
  CSingleLock lock(state.lock);
  state.queue.clear();
  if (!state.events) state.events = std::make_shared<SThreadEvents>();
  state.events->stop.ResetEvent();
  state.events->jobReady.ResetEvent();
  state.events->idle.SetEvent();
  return EnsureWorkerLocked();
}

bool StopDeviceThread() {
  std::shared_ptr<SThreadEvents> events;
  {
    CSingleLock lock(State().lock);
    events = State().events;
  }
  if (events) events->stop.SetEvent();
  // A job still running is asked to end, so that the worker can see the stop.
  SetAbort();
  EndWorker(kStopGraceMs);
  CSingleLock lock(State().lock);
  State().events.reset();
  return true;
}

bool AddSearchJob(CCallback* callback, const SSearchRequest* request) {
  if (!callback || !request) return false;
  SJobEntry job;
  job.type = request->IsReconnection() ? eJobReconnect : eJobSearch;
  job.callback = callback;
  job.request = *request;
  return AddDeviceJob(std::move(job));
}

bool AddDeviceJob(SJobEntry job) {
  if (!job.callback) return false;
  SDeviceThreadState& state = State();
  CSingleLock lock(state.lock);
  if (!EnsureWorkerLocked()) return false;
  state.queue.push_back(std::move(job));
  if (state.events) state.events->jobReady.SetEvent();
  return true;
}

void AbortDeviceThread(DWORD milliseconds) {
  SetAbort();
  // Jobs not started yet go with the running one: the worker may not have taken a job queued
  // just before, and would start it once the abort is reset, for a caller that has gone.
  DiscardQueue();
  std::shared_ptr<SThreadEvents> events;
  {
    CSingleLock lock(State().lock);
    if (!State().worker) return;
    events = State().events;
  }
  if (milliseconds == 0) return;
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    if (events && WaitForSingleObject(events->idle, kCancelRepeatMs) == WAIT_OBJECT_0) return;
    if (GetTickCount64() - start >= TimeoutSpan(milliseconds)) break;
    CancelRegisteredStream();
  }
  EndWorker(0);
}

bool WithdrawJobs(CCallback* callback, DWORD milliseconds) {
  std::list<SJobEntry> withdrawn;
  std::shared_ptr<SThreadEvents> events;
  {
    CSingleLock lock(State().lock);
    std::list<SJobEntry>& queue = State().queue;
    for (auto job = queue.begin(); job != queue.end();) {
      auto next = std::next(job);
      if (job->callback == callback) withdrawn.splice(withdrawn.end(), queue, job);
      job = next;
    }
    if (State().runningCallback == callback && callback && !t_onWorker) {
      State().withdrawingRunningJob = true;
      SetDeviceThreadAborted(true);
      events = State().events;
    }
  }
  ReleaseDroppedJobs(withdrawn);
  if (!events) return true;
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    CancelRegisteredStream();
    WaitForSingleObject(events->jobEnded, kCancelRepeatMs);
    {
      CSingleLock lock(State().lock);
      if (State().runningCallback != callback) return true;
    }
    if (GetTickCount64() - start >= TimeoutSpan(milliseconds)) return false;
  }
}

void ResetDeviceThreadAbort() {
  CSingleLock lock(State().lock);
  SetDeviceThreadAborted(false);
}

DWORD GetDeviceThreadExitCode() {
  CSingleLock lock(State().lock);
  return State().worker ? State().worker->thread.GetExitCode() : 0;
}

}  // namespace Device
