#pragma once
// A millisecond stopwatch on the high-resolution counter.

#include "platform/base/WinTypes.h"

// The counter's current value; 0 when there is no counter, which callers take as a missing
// stopwatch (their waits then end with a time-out).
void QueryTimestamp(ULONGLONG& stamp);
// (end - start) * 1000 / counter frequency.
ULONGLONG GetElapsedMs(ULONGLONG start, ULONGLONG end);
