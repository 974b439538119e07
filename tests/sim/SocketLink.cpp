#include "tests/sim/SocketLink.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace Sim {

CSocketLink::CSocketLink(const std::string& address, int port) : m_address(address), m_port(port) {
  int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener < 0) return;
  int on = 1;
  setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(uint16_t(port));
  if (inet_pton(AF_INET, address.c_str(), &local.sin_addr) != 1 ||
      bind(listener, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 || listen(listener, 1) != 0) {
    close(listener);
    return;
  }
  // Port 0 lets the system choose a free port, which ClientName then reports.
  socklen_t length = sizeof local;
  if (getsockname(listener, reinterpret_cast<sockaddr*>(&local), &length) == 0)
    m_port = ntohs(local.sin_port);
  m_listener = listener;
}

CSocketLink::~CSocketLink() {
  Hangup();
  if (m_listener >= 0) close(m_listener);
}

std::string CSocketLink::ClientName() const { return "IP:" + m_address + ":" + std::to_string(m_port); }

bool CSocketLink::Accept(const Deadline& deadline) {
  if (m_client >= 0) return true;
  if (m_listener < 0 || WaitReadable(m_listener, deadline) <= 0) return false;
  int client = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
  if (client < 0) return false;
  int on = 1;
  setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  m_client = client;
  return true;
}

int CSocketLink::Receive(BYTE* buffer, int count, int timeoutMs) {
  const Deadline deadline = DeadlineOf(timeoutMs);
  HangupIfRequested();
  if (!Accept(deadline)) return 0;
  for (;;) {
    if (WaitReadable(m_client, deadline) <= 0) return 0;
    ssize_t got = recv(m_client, buffer, size_t(count), MSG_DONTWAIT);
    if (got > 0) return int(got);
    if (got < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    Hangup();
    return -1;
  }
}

bool CSocketLink::Send(const BYTE* data, int count) {
  int sent = 0;
  while (sent < count) {
    HangupIfRequested();
    if (m_client < 0) return false;
    ssize_t done = send(m_client, data + sent, size_t(count - sent), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (done > 0) {
      sent += int(done);
      continue;
    }
    if (done < 0 && errno != EAGAIN && errno != EINTR) return false;
    if (IsShutDown()) return false;
    pollfd out{m_client, POLLOUT, 0};
    poll(&out, 1, 10);
  }
  return true;
}

void CSocketLink::Hangup() {
  if (m_client < 0) return;
  close(m_client);
  m_client = -1;
}

}  // namespace Sim
