#pragma once
// Starting and stopping the socket library, and the test for a numeric IPv4 host.

#include <string>

namespace StreamIO {

// Starts the socket library; 0 or the library's error number.
int StartSockets();
// Stops the library when it was started (library shut-down calls it).
void StopSockets();
// Whether the host reads as four decimal numbers of one to three digits, each at most 255,
// separated by dots.
bool IsDottedIPv4(const std::string& host);

}  // namespace StreamIO
