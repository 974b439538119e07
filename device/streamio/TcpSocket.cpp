#include "device/streamio/TcpSocket.h"

#include "platform/base/ErrorCodes.h"

namespace StreamIO {

namespace {

bool IsConnectionLost(int error) {
  return error == WSAENETRESET || error == WSAECONNABORTED || error == WSAECONNRESET || error == WSAENOTCONN;
}

}  // namespace

CTcpSocket::~CTcpSocket() { Close(); }

int CTcpSocket::Open() { return IsServer() ? OpenServer() : OpenClient(); }

int CTcpSocket::OpenClient() {
  std::vector<SSocketAddress> addresses;
  if (int error = Resolve(false, addresses)) return error;
  int error = 0;
  for (const auto& address : addresses) {
    error = m_socket.Create(address);
    if (error == 0) error = m_socket.Connect(address, m_wake);
    if (error == 0) {
      m_socket.SetOutOfBandInline(true);
      m_connected = true;
      return 0;
    }
    m_socket.Close();
    if (error == WSAEINTR) break;
  }
  return error;
}

int CTcpSocket::OpenServer() {
  std::vector<SSocketAddress> addresses;
  if (int error = Resolve(false, addresses)) return error;
  int error = m_listener.Create(addresses.front());
  if (error == 0) error = m_listener.Bind(addresses.front());
  if (error == 0) error = m_listener.Listen(1);
  if (error != 0) m_listener.Close();
  return error;
}

int CTcpSocket::Close() {
  int error = CIpSocket::Close();
  int listenerError = m_listener.Close();
  return error != 0 ? error : listenerError;
}

int CTcpSocket::Accept() {
  if (int error = m_listener.WaitReadable(m_readTimeout, m_wake)) return error;
  if (int error = m_listener.Accept(m_socket)) return error;
  m_socket.SetOutOfBandInline(true);
  m_socket.SetKeepAlive(true);
  m_connected = true;
  // One client at a time: later ones are refused until this one leaves.
  m_listener.Close();
  return 0;
}

int CTcpSocket::Read(void* buffer, int count, int& done) {
  done = 0;
  if (IsServer() && !m_connected)
    if (int error = Accept()) return error;
  int error = m_socket.WaitReadable(m_readTimeout, m_wake);
  if (error == 0) error = m_socket.Receive(buffer, count, done);
  if (!IsServer()) return error;
  if (error == 0 && done == 0 && count > 0) return Restart();
  if (IsConnectionLost(error) || error == WSAETIMEDOUT) return Restart();
  return error;
}

int CTcpSocket::Write(const void* buffer, int count, int& done) {
  done = 0;
  if (IsServer() && !m_connected)
    if (int error = Accept()) return error;
  int error = m_socket.WaitWritable(m_writeTimeout, m_wake);
  if (error == 0) error = m_socket.Send(buffer, count, done);
  if (IsServer() && IsConnectionLost(error)) return Restart();
  return error;
}

}  // namespace StreamIO
