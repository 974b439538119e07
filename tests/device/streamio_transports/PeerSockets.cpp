#include "tests/device/streamio_transports/PeerSockets.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace PeerSockets {

namespace {

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(uint16_t(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

int BoundPort(int fd) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  return ntohs(address.sin_port);
}

int Bind(int type, int& port) {
  int fd = socket(AF_INET, type | SOCK_CLOEXEC, 0);
  int on = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address = Loopback(port);
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    port = 0;
    return -1;
  }
  port = BoundPort(fd);
  return fd;
}

}  // namespace

int Listen(int& port) {
  port = 0;
  int fd = Bind(SOCK_STREAM, port);
  if (fd >= 0) listen(fd, 4);
  return fd;
}

int BindUdp(int& port) {
  port = 0;
  return Bind(SOCK_DGRAM, port);
}

int Connect(int port) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = Loopback(port);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

int Accept(int listener, int ms) {
  pollfd fd{listener, POLLIN, 0};
  if (poll(&fd, 1, ms) <= 0) return -1;
  return accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
}

void Reset(int fd) {
  linger hard{1, 0};
  setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
  close(fd);
}

std::vector<unsigned char> ReadExactly(int fd, size_t count, int ms) {
  std::vector<unsigned char> data;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (data.size() < count) {
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd p{fd, POLLIN, 0};
    if (left.count() <= 0 || poll(&p, 1, int(left.count())) <= 0) break;
    unsigned char chunk[4096];
    ssize_t n = read(fd, chunk, std::min(sizeof chunk, count - data.size()));
    if (n <= 0) break;
    data.insert(data.end(), chunk, chunk + n);
  }
  return data;
}

bool WriteAll(int fd, const void* data, size_t count) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  while (count > 0) {
    ssize_t n = send(fd, bytes, count, MSG_NOSIGNAL);
    if (n < 0) {
      // A pseudo-terminal is no socket: write to it plainly.
      n = write(fd, bytes, count);
      if (n < 0) return false;
    }
    bytes += n;
    count -= size_t(n);
  }
  return true;
}

int UnusedPort() {
  int port = 0;
  int fd = Listen(port);
  close(fd);
  return port;
}

std::vector<unsigned char> Pattern(size_t count, unsigned seed) {
  std::vector<unsigned char> data(count);
  for (size_t i = 0; i < count; ++i) data[i] = (unsigned char)((i + seed) % 251);
  return data;
}

std::string LoopbackName(int port) { return "IP:127.0.0.1:" + std::to_string(port); }

}  // namespace PeerSockets
