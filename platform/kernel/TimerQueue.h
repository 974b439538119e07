#pragma once
// Timer-queue timers on the default queue. Every timer's callback runs on the one timer thread
// (as with WT_EXECUTEINTIMERTHREAD), first after the due time and then once per period, all in
// scaled milliseconds of the layer's clock. Deleting a timer with INVALID_HANDLE_VALUE as the
// completion event waits until a callback in progress has returned, so that the caller may free
// what the callback uses; with a null event it returns at once.

#include "platform/base/WinTypes.h"

using WAITORTIMERCALLBACK = void (*)(void* parameter, bool timerFired);

class CTimerQueueTimer;
using HTIMERQUEUETIMER = CTimerQueueTimer*;
using HTIMERQUEUE = void*;

constexpr ULONG WT_EXECUTEDEFAULT = 0x00;
constexpr ULONG WT_EXECUTEINTIMERTHREAD = 0x20;
// The completion event that asks DeleteTimerQueueTimer to wait for a running callback.
inline HTIMERQUEUE const INVALID_HANDLE_VALUE = reinterpret_cast<HTIMERQUEUE>(-1);

// Creates a timer on the default queue (queue null). A period of 0 fires once.
BOOL CreateTimerQueueTimer(HTIMERQUEUETIMER* timer, HTIMERQUEUE queue, WAITORTIMERCALLBACK callback,
                           void* parameter, DWORD dueTimeMs, DWORD periodMs, ULONG flags);
// Removes the timer: no callback starts after the call. With completionEvent ==
// INVALID_HANDLE_VALUE it also waits for a callback in progress, except on the timer thread
// itself, where that callback is the caller.
BOOL DeleteTimerQueueTimer(HTIMERQUEUE queue, HTIMERQUEUETIMER timer, HTIMERQUEUE completionEvent);
