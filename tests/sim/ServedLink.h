#pragma once
// What the simulator programs (and the tests that start a simulator in their own process) share:
// the link they serve one client on (a loopback TCP address, a pseudo-terminal mapped to a COM
// number, or the control channel of a HID probe served on a Unix socket), the "port=" line that
// tells their caller where, and serving until SIGINT or SIGTERM.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

namespace Sim {

class CLink;
class CPeer;

struct SServedLink {
  std::string tcp;  // "host:port"
  bool pty = false;
  int com = 0;  // with pty: the COM number the pseudo-terminal is mapped to, 0 for none
  // The Unix socket on which a simulated HID probe is served (see CHidSocketServer); the
  // client's port is its device path.
  std::string hid;
  // With hid: the payloads of the probe's input reports, sent in turn with sequence numbers
  // counting from 1.
  std::vector<std::vector<BYTE>> inputReports;
  int byteRate = 0;

  // Exactly one of tcp, pty and hid is given.
  bool IsChosen() const { return int(!tcp.empty()) + int(pty) + int(!hid.empty()) == 1; }
};

// The TCP or pseudo-terminal link the options choose, open (and mapped to its COM number); null
// when it cannot be, or when the options choose a HID probe, which only ServeUntilStopSignal
// serves.
std::unique_ptr<CLink> OpenServedLink(const SServedLink& options);

// Opens the link, prints "port=NAME" (and "com=N"), runs `serve` on the peer's own thread and
// returns once a stop signal came and the peer has stopped. False (after a message naming
// `program`) when the link cannot be opened.
bool ServeUntilStopSignal(const char* program, const SServedLink& link,
                          const std::function<void(CPeer&)>& serve);

}  // namespace Sim
