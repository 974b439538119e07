#pragma once
// The instrument's end of one transport. A link serves one client at a time; its waits take
// milliseconds on the layer's scaled clock (-1 waits without limit) and all of them end at once
// after Shutdown, which is what stops a peer's thread.

#include <chrono>
#include <optional>
#include <string>

#include "platform/base/WinTypes.h"

namespace Sim {

class CLink {
 public:
  CLink();
  virtual ~CLink();
  CLink(const CLink&) = delete;
  CLink& operator=(const CLink&) = delete;

  // Up to `count` bytes that arrive within the time-out: the number received, 0 when none came
  // (or after Shutdown), -1 when the client has left (a socket link then waits for the next).
  virtual int Receive(BYTE* buffer, int count, int timeoutMs) = 0;
  // Sends every byte; false when no client takes them.
  virtual bool Send(const BYTE* data, int count) = 0;
  // Ends the client's connection from the instrument's side.
  virtual void Hangup() = 0;
  // The name under which the client reaches the link (a device node or "IP:host:port").
  virtual std::string ClientName() const = 0;

  // Ends every wait at once and for good; callable from any thread.
  void Shutdown();
  bool IsShutDown() const;
  // Asks the thread that serves the link to hang up; callable from any thread. The descriptors
  // belong to the serving thread, so the hang-up happens there: at once where it waits on the
  // link, otherwise at its next Receive or Send.
  void RequestHangup();

 protected:
  using Deadline = std::optional<std::chrono::steady_clock::time_point>;
  // The real end of a scaled time-out; none for -1.
  static Deadline DeadlineOf(int timeoutMs);
  static bool IsPast(const Deadline& deadline);
  // Waits until `fd` is readable: 1 readable (or hung up), 0 time-out or a requested hang-up
  // done, -1 shut down.
  int WaitReadable(int fd, const Deadline& deadline);
  // Does a hang-up that another thread asked for; true when it did one.
  bool HangupIfRequested();

 private:
  int m_shutdownFd = -1;
  int m_hangupFd = -1;
};

}  // namespace Sim
