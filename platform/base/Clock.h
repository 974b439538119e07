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

// The high-resolution counter: scaled microseconds, frequency 1 000 000.
bool QueryPerformanceCounterValue(std::int64_t& value);
std::int64_t PerformanceCounterFrequency();

double GetTimeScale();
void SetTimeScale(double scale);

// The real-time duration of a scaled span of milliseconds.
std::chrono::steady_clock::duration ScaledDuration(DWORD milliseconds);
