#pragma once
// The device thread: one worker that runs device jobs (searches, reconnections, firmware
// updates) one after another from a first-in-first-out queue and reports through each job's
// callback. A running job can be aborted from another thread: the abort flag is the abort test
// of every command layer, and the stream the job is talking to is cancelled so that a blocked
// read ends at once. Threads are never killed: a worker that does not finish within a grace
// period is left to end on its own, retired (its abort test stays true and it takes no more
// jobs), and counts as ended with exit code 1.

#include "device/DeviceAbort.h"
#include "device/JobEntry.h"

namespace Device {

// Empties the queue, makes the stop, job-ready and idle events and starts the worker; called
// once at start-up.
bool StartDeviceThread();
// Stops the worker (2000 ms of grace) and closes the events; called at exit.
bool StopDeviceThread();
// Queues a search job, or a reconnection job when the request has a wait; starts the worker
// when none is held. False for a null callback or request.
bool AddSearchJob(CCallback* callback, const SSearchRequest* request);
// Queues any job (an update job carries its device and package); starts the worker when none
// is held. False without a callback.
bool AddDeviceJob(SJobEntry job);
// Aborts the running job and drops the queue; waits up to `milliseconds` for the worker to go
// idle (0: does not wait) before giving it up.
void AbortDeviceThread(DWORD milliseconds);
void ResetDeviceThreadAbort();
// Takes the receiver's jobs out of the queue and, when the running job is one of its own, aborts
// that job alone and waits up to `milliseconds` for it to end; the other receivers' jobs keep
// their places. Afterwards the device thread no longer calls the receiver, which may then be
// destroyed. False when its running job did not end in time. Called from within one of its
// own reports, it only drops the queued jobs: the running job is the caller.
bool WithdrawJobs(CCallback* callback, DWORD milliseconds);
// The worker's exit code while it has one (STILL_ACTIVE while it runs), 0 without a worker.
DWORD GetDeviceThreadExitCode();

// Job runners, called by the worker.
void SearchDevices(SJobEntry& job);
void AwaitReconnection(SJobEntry& job);
void RunDeviceUpdate(SJobEntry& job);

}  // namespace Device
