#include "platform/io/Socket.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/base/Clock.h"
#include "platform/base/ErrorCodes.h"

namespace {

constexpr DWORD kConnectTimeoutMs = 21000;

int ErrnoToSocketError(int error, bool datagram) {
  switch (error) {
    case 0:
      return 0;
    case EINTR:
      return WSAEINTR;
    case EBADF:
      return WSAEBADF;
    case EACCES:
      return WSAEACCES;
    case EFAULT:
      return WSAEFAULT;
    case EINVAL:
      return WSAEINVAL;
    case EMFILE:
      return WSAEMFILE;
    case EAGAIN:
      return WSAEWOULDBLOCK;
    case EINPROGRESS:
      return WSAEINPROGRESS;
    case EALREADY:
      return WSAEALREADY;
    case ENOTSOCK:
      return WSAENOTSOCK;
    case EMSGSIZE:
      return WSAEMSGSIZE;
    case EPROTONOSUPPORT:
      return WSAEPROTONOSUPPORT;
    case EOPNOTSUPP:
      return WSAEOPNOTSUPP;
    case EAFNOSUPPORT:
      return WSAEAFNOSUPPORT;
    case EADDRINUSE:
      return WSAEADDRINUSE;
    case EADDRNOTAVAIL:
      return WSAEADDRNOTAVAIL;
    case ENETDOWN:
      return WSAENETDOWN;
    case ENETUNREACH:
      return WSAENETUNREACH;
    case ENETRESET:
      return WSAENETRESET;
    case ECONNABORTED:
      return WSAECONNABORTED;
    // A send after the peer reset the connection reports a broken pipe here.
    case EPIPE:
    case ECONNRESET:
      return WSAECONNRESET;
    case ENOBUFS:
      return WSAENOBUFS;
    case EISCONN:
      return WSAEISCONN;
    case ENOTCONN:
      return WSAENOTCONN;
    case ESHUTDOWN:
      return WSAESHUTDOWN;
    case ETIMEDOUT:
      return WSAETIMEDOUT;
    // An unreachable datagram peer is reported on the next transfer as a reset.
    case ECONNREFUSED:
      return datagram ? WSAECONNRESET : WSAECONNREFUSED;
    case EHOSTDOWN:
      return WSAEHOSTDOWN;
    case EHOSTUNREACH:
      return WSAEHOSTUNREACH;
    default:
      return OsErrorToWin(error);
  }
}

int ResolverError(int code) {
  switch (code) {
    case EAI_NONAME:
      return WSAHOST_NOT_FOUND;
    case EAI_AGAIN:
      return WSATRY_AGAIN;
    case EAI_FAIL:
      return WSANO_RECOVERY;
    case EAI_NODATA:
      return WSANO_DATA;
    case EAI_FAMILY:
      return WSAEAFNOSUPPORT;
    case EAI_MEMORY:
      return WSAENOBUFS;
    case EAI_SYSTEM:
      return ErrnoToSocketError(errno, false);
    default:
      return WSAEINVAL;
  }
}

}  // namespace

int ResolveSocketAddresses(const std::string& host, const std::string& service, bool datagram,
                           bool numericHost, std::vector<SSocketAddress>& addresses) {
  addresses.clear();
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = datagram ? SOCK_DGRAM : SOCK_STREAM;
  hints.ai_protocol = datagram ? IPPROTO_UDP : IPPROTO_TCP;
  if (host.empty()) hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
  if (numericHost) hints.ai_flags |= AI_NUMERICHOST;
  addrinfo* list = nullptr;
  int code = getaddrinfo(host.empty() ? nullptr : host.c_str(), service.empty() ? nullptr : service.c_str(),
                         &hints, &list);
  if (code != 0) return ResolverError(code);
  for (addrinfo* entry = list; entry; entry = entry->ai_next) {
    SSocketAddress address;
    if (entry->ai_addrlen > sizeof address.data) continue;
    std::memcpy(address.data, entry->ai_addr, entry->ai_addrlen);
    address.length = int(entry->ai_addrlen);
    address.family = entry->ai_family;
    address.type = entry->ai_socktype;
    address.protocol = entry->ai_protocol;
    addresses.push_back(address);
  }
  freeaddrinfo(list);
  return addresses.empty() ? WSANO_DATA : 0;
}

CSocket::~CSocket() { Close(); }

int CSocket::LastError() const { return ErrnoToSocketError(errno, m_type == SOCK_DGRAM); }

int CSocket::Create(const SSocketAddress& address) {
  Close();
  m_fd = ::socket(address.family, address.type | SOCK_CLOEXEC | SOCK_NONBLOCK, address.protocol);
  if (m_fd < 0) return ErrnoToSocketError(errno, false);
  m_type = address.type;
  DisableSendDelay();
  return 0;
}

int CSocket::Connect(const SSocketAddress& address, CWakeSignal& wake) {
  if (::connect(m_fd, reinterpret_cast<const sockaddr*>(address.data), socklen_t(address.length)) == 0)
    return 0;
  if (errno != EINPROGRESS) return LastError();
  if (int error = Wait(POLLOUT, int(kConnectTimeoutMs), wake))
    return error == ERROR_TIMEOUT ? WSAETIMEDOUT : error;
  int pending = 0;
  socklen_t length = sizeof pending;
  if (getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &pending, &length) != 0) return LastError();
  return ErrnoToSocketError(pending, m_type == SOCK_DGRAM);
}

int CSocket::Bind(const SSocketAddress& address) {
  // A server that restarts must get its port back while old connections linger.
  int on = 1;
  setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (::bind(m_fd, reinterpret_cast<const sockaddr*>(address.data), socklen_t(address.length)) != 0)
    return LastError();
  return 0;
}

int CSocket::Listen(int backlog) { return ::listen(m_fd, backlog) == 0 ? 0 : LastError(); }

int CSocket::Accept(CSocket& client) {
  int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
  if (fd < 0) return LastError();
  client.Close();
  client.m_fd = fd;
  client.m_type = m_type;
  client.DisableSendDelay();
  return 0;
}

void CSocket::DisableSendDelay() {
  // Instrument commands are short requests answered byte by byte; coalescing small sends
  // would add the peer's delayed-acknowledgement time to every exchange.
  if (m_type != SOCK_STREAM) return;
  int on = 1;
  setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

int CSocket::SetKeepAlive(bool on) {
  int value = on ? 1 : 0;
  return setsockopt(m_fd, SOL_SOCKET, SO_KEEPALIVE, &value, sizeof value) == 0 ? 0 : LastError();
}

int CSocket::SetOutOfBandInline(bool on) {
  int value = on ? 1 : 0;
  return setsockopt(m_fd, SOL_SOCKET, SO_OOBINLINE, &value, sizeof value) == 0 ? 0 : LastError();
}

int CSocket::WaitReadable(int timeoutMs, CWakeSignal& wake) { return Wait(POLLIN, timeoutMs, wake); }

int CSocket::WaitWritable(int timeoutMs, CWakeSignal& wake) { return Wait(POLLOUT, timeoutMs, wake); }

int CSocket::Wait(short events, int timeoutMs, CWakeSignal& wake) {
  if (m_fd < 0) return WSAENOTSOCK;
  using SteadyClock = std::chrono::steady_clock;
  const bool forever = timeoutMs < 0;
  const auto deadline = SteadyClock::now() + TimeoutDuration(forever ? 0 : DWORD(timeoutMs));
  CWakeSignal::CWaitScope scope(wake);
  for (;;) {
    int wait = -1;
    if (!forever) {
      auto left =
          std::chrono::duration_cast<std::chrono::microseconds>(deadline - SteadyClock::now()).count();
      wait = left <= 0 ? 0 : int((left + 999) / 1000);
    }
    pollfd fds[2] = {{m_fd, events, 0}, {wake.Descriptor(), POLLIN, 0}};
    int ready = ::poll(fds, 2, wait);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    if (fds[1].revents & POLLIN) return WSAEINTR;
    // Errors and hang-ups count as ready: the receive or send that follows reports them.
    if (fds[0].revents) return 0;
    if (!forever && SteadyClock::now() >= deadline) return ERROR_TIMEOUT;
  }
}

int CSocket::Receive(void* buffer, int count, int& received) {
  received = 0;
  ssize_t n = ::recv(m_fd, buffer, size_t(count), 0);
  if (n < 0) return LastError();
  received = int(n);
  return 0;
}

int CSocket::Send(const void* buffer, int count, int& sent) {
  sent = 0;
  ssize_t n = ::send(m_fd, buffer, size_t(count), MSG_NOSIGNAL);
  if (n < 0) return LastError();
  sent = int(n);
  return 0;
}

int CSocket::ReceiveFrom(void* buffer, int count, int& received, SSocketAddress& from) {
  received = 0;
  socklen_t length = sizeof from.data;
  ssize_t n = ::recvfrom(m_fd, buffer, size_t(count), 0, reinterpret_cast<sockaddr*>(from.data), &length);
  if (n < 0) return LastError();
  from.length = int(length);
  received = int(n);
  return 0;
}

int CSocket::SendTo(const void* buffer, int count, int& sent, const SSocketAddress& to) {
  sent = 0;
  ssize_t n = ::sendto(m_fd, buffer, size_t(count), MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(to.data),
                       socklen_t(to.length));
  if (n < 0) return LastError();
  sent = int(n);
  return 0;
}

int CSocket::BytesReadable(int& bytes) {
  bytes = 0;
  return ioctl(m_fd, FIONREAD, &bytes) == 0 ? 0 : LastError();
}

int CSocket::Shutdown() { return ::shutdown(m_fd, SHUT_RDWR) == 0 ? 0 : LastError(); }

int CSocket::Close() {
  if (m_fd < 0) return 0;
  int result = ::close(m_fd) == 0 ? 0 : LastError();
  m_fd = -1;
  return result;
}
