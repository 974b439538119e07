#pragma once
// The control channel of a simulated HID probe as a link: what the PC's mailbox messages carry
// arrives as received bytes, and what the instrument sends goes out in mailbox messages. The
// instrument stays the caller's and must outlive the link.

#include "tests/sim/Link.h"

namespace Sim {

class CHidProbeInstrument;

class CHidLink : public CLink {
 public:
  explicit CHidLink(CHidProbeInstrument& instrument);
  ~CHidLink() override;

  int Receive(BYTE* buffer, int count, int timeoutMs) override;
  bool Send(const BYTE* data, int count) override;
  // A HID device cannot hang up its host; nothing happens.
  void Hangup() override {}
  // The device path.
  std::string ClientName() const override;

 private:
  CHidProbeInstrument& m_instrument;
  // The PC's bytes pass through a pipe, so that a receive waits on them like on any link.
  int m_pipe[2] = {-1, -1};
};

}  // namespace Sim
