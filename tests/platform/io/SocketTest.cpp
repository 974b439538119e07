#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/io/Socket.h"

namespace {

// A listening loopback socket on a port of the kernel's choice.
int ListenOnLoopback(int& port) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(fd, 1);
  socklen_t length = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return fd;
}

}  // namespace

TEST(Socket, SendingToAResetPeerIsAnErrorAndNoSignal) {
  signal(SIGPIPE, SIG_DFL);
  int port = 0;
  int listener = ListenOnLoopback(port);
  std::vector<SSocketAddress> addresses;
  ASSERT_EQ(ResolveSocketAddresses("127.0.0.1", std::to_string(port), false, true, addresses), 0);
  CWakeSignal wake;
  CSocket socket;
  ASSERT_EQ(socket.Create(addresses.front()), 0);
  ASSERT_EQ(socket.Connect(addresses.front(), wake), 0);
  int peer = accept(listener, nullptr, nullptr);
  linger hard{1, 0};
  setsockopt(peer, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
  close(peer);
  close(listener);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));

  // The first send meets the reset, the next ones a broken connection: each is the same error.
  const char data[16] = {};
  for (int attempt = 0; attempt < 3; ++attempt) {
    int sent = -1;
    EXPECT_EQ(socket.Send(data, sizeof data, sent), WSAECONNRESET) << "attempt " << attempt;
    EXPECT_EQ(sent, 0);
  }
}

TEST(Socket, NamesThatDoNotResolveGiveTheResolverError) {
  std::vector<SSocketAddress> addresses;
  // Without a name server the resolver may only say that it could not ask.
  const int error = ResolveSocketAddresses("no-such-host.invalid", "3728", false, false, addresses);
  EXPECT_TRUE(error == WSAHOST_NOT_FOUND || error == WSATRY_AGAIN) << error;
  EXPECT_TRUE(addresses.empty());
  EXPECT_NE(ResolveSocketAddresses("not.a.number", "3728", false, true, addresses), 0);
}
