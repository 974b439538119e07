#pragma once
// A TCP listener on a loopback address that serves one client at a time, as the instrument's
// network port does. When the client leaves (or the link hangs up on it) the next Receive waits
// for a new client.

#include "tests/sim/Link.h"

namespace Sim {

class CSocketLink : public CLink {
 public:
  // Listens on address:port, for example "127.0.0.7" and 3728; port 0 takes a free one.
  CSocketLink(const std::string& address, int port);
  ~CSocketLink() override;

  bool IsOpen() const { return m_listener >= 0; }
  bool HasClient() const { return m_client >= 0; }

  int Receive(BYTE* buffer, int count, int timeoutMs) override;
  bool Send(const BYTE* data, int count) override;
  // Closes the client's connection; the client sees the end of the stream.
  void Hangup() override;
  // "IP:address:port".
  std::string ClientName() const override;

 private:
  bool Accept(const Deadline& deadline);

  std::string m_address;
  int m_port = 0;
  int m_listener = -1;
  int m_client = -1;
};

}  // namespace Sim
