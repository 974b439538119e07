#pragma once
// A pseudo-terminal whose slave side the client opens as its serial port. The link reads and
// writes the master side; while no client holds the slave open, nothing arrives and nothing
// is lost from what the client wrote before it closed.

#include "tests/sim/Link.h"

namespace Sim {

class CPtyLink : public CLink {
 public:
  CPtyLink();
  ~CPtyLink() override;

  bool IsOpen() const { return m_master >= 0; }
  // Puts the slave device at COM port `number` in the settings store, so that a client of
  // this process (or of one sharing its settings) opens it as "COMn:".
  bool MapToComPort(int number) const;

  // The line settings the client gave the terminal: "BAUD" and " rtscts" with the RTS/CTS
  // handshake, as in "38400 rtscts"; empty when the terminal is gone.
  std::string LineSettings() const;

  // Whether a client holds the slave device open now.
  bool HasClient() const;

  int Receive(BYTE* buffer, int count, int timeoutMs) override;
  bool Send(const BYTE* data, int count) override;
  // The terminal hangs up for good: the client's next transfer fails.
  void Hangup() override;
  // The slave device node.
  std::string ClientName() const override { return m_slave; }

 private:
  int m_master = -1;
  std::string m_slave;
};

}  // namespace Sim
