#pragma once
// A TCP connection: a client connects to the first address of its host that answers; a
// server listens on its port and serves one client at a time, listening again when the
// client leaves.

#include "device/streamio/IpSocket.h"

namespace StreamIO {

class CTcpSocket : public CIpSocket {
 public:
  using CIpSocket::CIpSocket;
  ~CTcpSocket() override;

  int Open() override;
  int Close() override;
  int Read(void* buffer, int count, int& done) override;
  int Write(const void* buffer, int count, int& done) override;

 private:
  int OpenClient();
  int OpenServer();
  // A server takes its client before the first transfer.
  int Accept();

  CSocket m_listener;
};

}  // namespace StreamIO
