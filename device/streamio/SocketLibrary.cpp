#include "device/streamio/SocketLibrary.h"

#include "platform/kernel/CriticalSection.h"

namespace StreamIO {

namespace {

CCriticalSection& SocketLock() {
  static CCriticalSection lock;
  return lock;
}

bool g_started = false;

}  // namespace

// The platform's sockets need no library start; the state is kept so that start and stop
// pair up as callers expect.
int StartSockets() {
  CSingleLock lock(SocketLock());
  g_started = true;
  return 0;
}

void StopSockets() {
  CSingleLock lock(SocketLock());
  g_started = false;
}

bool IsDottedIPv4(const std::string& host) {
  int parts = 0;
  size_t pos = 0;
  while (parts < 4) {
    size_t digits = 0;
    unsigned value = 0;
    while (pos < host.size() && host[pos] >= '0' && host[pos] <= '9' && digits < 3) {
      value = value * 10 + unsigned(host[pos] - '0');
      ++pos;
      ++digits;
    }
    if (digits == 0 || value > 255) return false;
    ++parts;
    if (parts == 4) break;
    if (pos >= host.size() || host[pos] != '.') return false;
    ++pos;
  }
  return pos == host.size();
}

}  // namespace StreamIO
