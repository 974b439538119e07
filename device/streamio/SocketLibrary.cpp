#include "device/streamio/SocketLibrary.h"

namespace StreamIO {

// The platform's sockets need no library to be started or stopped; the calls stay where the
// library's start-up and shut-down belong, so the streams read the same on every platform.
int StartSockets() { return 0; }

void StopSockets() {}

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
