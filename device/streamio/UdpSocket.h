#pragma once
// A UDP socket: a client sends to and receives from its host; a server receives on its port
// and replies to whoever sent the last datagram. A datagram larger than the caller's buffer
// is kept and handed out in pieces by the following reads.

#include <vector>

#include "device/streamio/IpSocket.h"

namespace StreamIO {

class CUdpSocket : public CIpSocket {
 public:
  using CIpSocket::CIpSocket;
  ~CUdpSocket() override;

  int Open() override;
  int Read(void* buffer, int count, int& done) override;
  int Write(const void* buffer, int count, int& done) override;
  // Bytes ready: the rest of a kept datagram, else the size of the next one.
  int BytesReadable(int& bytes) override;

 private:
  int HandOutKept(void* buffer, int count);

  std::vector<BYTE> m_kept;
  size_t m_keptPosition = 0;
  SSocketAddress m_sender;
};

}  // namespace StreamIO
