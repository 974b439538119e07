#pragma once
// Local calendar time of the process's time zone (TZ), with daylight saving decided by the
// zone's rules, and its conversion to and from seconds since 1 January 1970 UTC.

#include <cstdint>
#include <ctime>

struct SLocalTime {
  int year = 1970;
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int dayOfWeek = 4;  // 0 Sunday to 6 Saturday; ignored by LocalTimeToStamp
};

// The C library's form of the date and time, daylight saving left for the library to decide.
std::tm ToCalendarTime(const SLocalTime& local);
// Seconds since 1970 UTC of a local date and time. Fields beyond their range roll over into
// the next larger one (31 April is 1 May). Returns -1 when the time cannot be represented.
std::int64_t LocalTimeToStamp(const SLocalTime& local);
// False when the stamp cannot be represented as a local time.
bool StampToLocalTime(std::int64_t stamp, SLocalTime& local);
// Seconds since 1970 UTC now, or the pinned stamp.
std::int64_t CurrentTimeStamp();
// Makes CurrentTimeStamp return `stamp` from now on, for tools and tests that need a fixed
// "now"; a negative stamp follows the clock again.
void PinCurrentTimeStamp(std::int64_t stamp);
