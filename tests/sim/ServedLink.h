#pragma once
// What the simulator programs (and the tests that start a simulator in their own process) share:
// the link they serve one client on (a loopback TCP address or a pseudo-terminal mapped to a COM
// number), the "port=" line that tells their caller where, and serving until SIGINT or SIGTERM.

#include <functional>
#include <memory>
#include <string>

namespace Sim {

class CLink;
class CPeer;

struct SServedLink {
  std::string tcp;  // "host:port"
  bool pty = false;
  int com = 0;  // with pty: the COM number the pseudo-terminal is mapped to, 0 for none
  int byteRate = 0;

  // Exactly one of tcp and pty is given.
  bool IsChosen() const { return pty == tcp.empty(); }
};

// The link the options choose, open (and mapped to its COM number); null when it cannot be.
std::unique_ptr<CLink> OpenServedLink(const SServedLink& options);

// Opens the link, prints "port=NAME" (and "com=N"), runs `serve` on the peer's own thread and
// returns once a stop signal came and the peer has stopped. False (after a message naming
// `program`) when the link cannot be opened.
bool ServeUntilStopSignal(const char* program, const SServedLink& link,
                          const std::function<void(CPeer&)>& serve);

}  // namespace Sim
