#include "device/Stopwatch.h"

#include "platform/base/Clock.h"

void QueryTimestamp(ULONGLONG& stamp) {
  std::int64_t value = 0;
  stamp = QueryPerformanceCounterValue(value) ? ULONGLONG(value) : 0;
}

ULONGLONG GetElapsedMs(ULONGLONG start, ULONGLONG end) {
  return (end - start) * 1000 / ULONGLONG(PerformanceCounterFrequency());
}
