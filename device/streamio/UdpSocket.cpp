#include "device/streamio/UdpSocket.h"

#include <algorithm>
#include <cstring>

#include "platform/base/ErrorCodes.h"

namespace StreamIO {

CUdpSocket::~CUdpSocket() { Close(); }

int CUdpSocket::Open() {
  m_kept.clear();
  m_keptPosition = 0;
  std::vector<SSocketAddress> addresses;
  if (int error = Resolve(true, addresses)) return error;
  const SSocketAddress& address = addresses.front();
  int error = m_socket.Create(address);
  if (error != 0) return error;
  error = IsServer() ? m_socket.Bind(address) : m_socket.Connect(address, m_wake);
  if (error != 0) {
    m_socket.Close();
    return error;
  }
  // A client may send at once; a server waits until a datagram tells it whom to answer.
  m_connected = !IsServer();
  return 0;
}

int CUdpSocket::HandOutKept(void* buffer, int count) {
  const size_t size = std::min(size_t(count), m_kept.size() - m_keptPosition);
  std::memcpy(buffer, m_kept.data() + m_keptPosition, size);
  m_keptPosition += size;
  if (m_keptPosition == m_kept.size()) {
    m_kept.clear();
    m_keptPosition = 0;
  }
  return int(size);
}

int CUdpSocket::Read(void* buffer, int count, int& done) {
  done = 0;
  if (count <= 0) return 0;
  if (!m_kept.empty()) {
    done = HandOutKept(buffer, count);
    return 0;
  }
  if (int error = m_socket.WaitReadable(m_readTimeout, m_wake)) return error;
  int size = 0;
  if (int error = m_socket.BytesReadable(size)) return error;
  const bool fits = size <= count;
  if (!fits) m_kept.resize(size_t(size));
  void* target = fits ? buffer : m_kept.data();
  const int room = fits ? count : size;
  int received = 0;
  SSocketAddress from;
  int error = IsServer() ? m_socket.ReceiveFrom(target, room, received, from)
                         : m_socket.Receive(target, room, received);
  if (error != 0) {
    m_kept.clear();
    return error;
  }
  if (IsServer() && received > 0) {
    m_sender = from;
    m_connected = true;
  }
  if (fits) {
    done = received;
  } else {
    m_kept.resize(size_t(received));
    done = HandOutKept(buffer, count);
  }
  return 0;
}

int CUdpSocket::Write(const void* buffer, int count, int& done) {
  done = 0;
  if (!m_connected) return WSAENOTCONN;
  if (int error = m_socket.WaitWritable(m_writeTimeout, m_wake)) return error;
  int error =
      IsServer() ? m_socket.SendTo(buffer, count, done, m_sender) : m_socket.Send(buffer, count, done);
  // A datagram that found no listener is simply lost, as datagrams may be.
  if (error == WSAECONNABORTED || error == WSAECONNRESET || error == WSAETIMEDOUT) return 0;
  if (error != 0 && IsServer()) m_connected = false;
  return error;
}

int CUdpSocket::BytesReadable(int& bytes) {
  if (!m_kept.empty()) {
    bytes = int(m_kept.size() - m_keptPosition);
    return 0;
  }
  return CIpSocket::BytesReadable(bytes);
}

}  // namespace StreamIO
