#include "platform/base/LocalTime.h"

#include <atomic>
#include <ctime>

std::tm ToCalendarTime(const SLocalTime& local) {
  std::tm tm{};
  tm.tm_year = local.year - 1900;
  tm.tm_mon = local.month - 1;
  tm.tm_mday = local.day;
  tm.tm_hour = local.hour;
  tm.tm_min = local.minute;
  tm.tm_sec = local.second;
  tm.tm_wday = local.dayOfWeek;
  tm.tm_isdst = -1;
  return tm;
}

std::int64_t LocalTimeToStamp(const SLocalTime& local) {
  std::tm tm = ToCalendarTime(local);
  return std::int64_t(mktime(&tm));
}

bool StampToLocalTime(std::int64_t stamp, SLocalTime& local) {
  const std::time_t t = std::time_t(stamp);
  std::tm tm{};
  if (!localtime_r(&t, &tm)) return false;
  local.year = tm.tm_year + 1900;
  local.month = tm.tm_mon + 1;
  local.day = tm.tm_mday;
  local.hour = tm.tm_hour;
  local.minute = tm.tm_min;
  local.second = tm.tm_sec;
  local.dayOfWeek = tm.tm_wday;
  return true;
}

namespace {

std::atomic<std::int64_t> g_pinnedStamp{-1};

}  // namespace

std::int64_t CurrentTimeStamp() {
  const std::int64_t pinned = g_pinnedStamp.load();
  return pinned >= 0 ? pinned : std::int64_t(std::time(nullptr));
}

void PinCurrentTimeStamp(std::int64_t stamp) { g_pinnedStamp.store(stamp < 0 ? -1 : stamp); }
