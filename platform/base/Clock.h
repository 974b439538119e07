#pragma once
// The process clock. Tick counts, sleeps, timed waits and timers all go through it, so that
// tests can run time faster: with a time scale of 10 a wait of 1000 ms lasts 100 ms of real
// time, and tick counts advance ten times as fast. The scale is read from the environment
// variable ZD_TIME_SCALE at first use (shared with the simulated instrument) or set by tests.

#include <chrono>
#include <cstdint>

#include "platform/base/WinTypes.h"

// Milliseconds of scaled time since the process started, wrapping at 2^32 as the platform's did.
DWORD GetTickCount();
ULONGLONG GetTickCount64();
// Sleeps for the given scaled milliseconds.
void Sleep(DWORD milliseconds);
// Sleeps for the duration of a time-out of that length (see TimeoutDuration): for a pause that
// gives the other side of a link time to act on what it was sent, which a busy machine holds
// up as it holds up an answer.
void SleepTimeout(DWORD milliseconds);

// The high-resolution counter: scaled microseconds, frequency 1 000 000.
bool QueryPerformanceCounterValue(std::int64_t& value);
std::int64_t PerformanceCounterFrequency();

double GetTimeScale();
void SetTimeScale(double scale);

// The real-time duration of a scaled span of milliseconds.
std::chrono::steady_clock::duration ScaledDuration(DWORD milliseconds);

// Time-outs: limits whose end decides a failure (an instrument that stays silent, a step that
// takes too long). A busy machine may hold a process back for a good part of a second, which
// a limit shortened by a fast clock would take for the failure. So while time runs faster than
// real time, the first two seconds of every time-out pass in real time and only the rest at the
// scaled pace; at scale 1 or below a time-out lasts exactly its length.
//
// The span of scaled milliseconds (of GetTickCount64 and the counter) that a time-out lasts.
ULONGLONG TimeoutSpan(ULONGLONG milliseconds);
// The real-time duration of a time-out, for timed waits.
std::chrono::steady_clock::duration TimeoutDuration(DWORD milliseconds);
// What is left of a time-out of `milliseconds` after `elapsedMs` scaled ms, as the time-out
// of a wait that may take only the rest; 0 when it is over.
DWORD TimeoutLeft(ULONGLONG milliseconds, ULONGLONG elapsedMs);
