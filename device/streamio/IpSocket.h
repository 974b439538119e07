#pragma once
// The socket beneath an IP stream: a client when it has a host, otherwise a server on its
// port. Operations return 0, ERROR_TIMEOUT (1460) or the socket library's error number; the
// waits end at once, with WSAEINTR, when the owning stream's wake signal is raised.

#include <string>

#include "platform/io/Socket.h"

namespace StreamIO {

class CIpSocket {
 public:
  // An empty host makes a server.
  CIpSocket(std::string host, std::string service, CWakeSignal& wake);
  virtual ~CIpSocket();
  CIpSocket(const CIpSocket&) = delete;
  CIpSocket& operator=(const CIpSocket&) = delete;

  virtual int Open() = 0;
  // Shuts a connection down before closing it.
  virtual int Close();
  virtual int Read(void* buffer, int count, int& done) = 0;
  virtual int Write(const void* buffer, int count, int& done) = 0;

  // Bytes ready to read without waiting.
  virtual int BytesReadable(int& bytes);
  // Milliseconds, -1 waits forever.
  void GetTimeouts(int& readTimeout, int& writeTimeout) const;
  void SetTimeouts(int readTimeout, int writeTimeout);
  bool IsConnected() const { return m_connected; }

 protected:
  bool IsServer() const { return m_host.empty(); }
  int Resolve(bool datagram, std::vector<SSocketAddress>& addresses) const;
  // Close and Open once more: a server waits for its next client.
  int Restart();

  std::string m_host;
  std::string m_service;
  CSocket m_socket;
  int m_readTimeout = 500;
  int m_writeTimeout = 100;
  bool m_connected = false;
  CWakeSignal& m_wake;
};

}  // namespace StreamIO
