#include "device/streamio/IpSocket.h"

#include "device/streamio/SocketLibrary.h"

namespace StreamIO {

CIpSocket::CIpSocket(std::string host, std::string service, CWakeSignal& wake)
    : m_host(std::move(host)), m_service(std::move(service)), m_wake(wake) {}

CIpSocket::~CIpSocket() = default;

int CIpSocket::Close() {
  if (m_connected && m_socket.IsValid()) {
    // The peer may already be gone; the close below still releases the socket.
    m_socket.Shutdown();
  }
  m_connected = false;
  return m_socket.Close();
}

int CIpSocket::BytesReadable(int& bytes) {
  bytes = 0;
  if (!m_socket.IsValid()) return 0;
  return m_socket.BytesReadable(bytes);
}

void CIpSocket::GetTimeouts(int& readTimeout, int& writeTimeout) const {
  readTimeout = m_readTimeout;
  writeTimeout = m_writeTimeout;
}

void CIpSocket::SetTimeouts(int readTimeout, int writeTimeout) {
  m_readTimeout = readTimeout < 0 ? -1 : readTimeout;
  m_writeTimeout = writeTimeout < 0 ? -1 : writeTimeout;
}

int CIpSocket::Resolve(bool datagram, std::vector<SSocketAddress>& addresses) const {
  return ResolveSocketAddresses(m_host, m_service, datagram, IsDottedIPv4(m_host), addresses);
}

int CIpSocket::Restart() {
  Close();
  return Open();
}

}  // namespace StreamIO
