#pragma once
// The other side of the socket tests: plain loopback sockets on ports the kernel picks, so
// that tests running side by side never meet.

#include <netinet/in.h>

#include <string>
#include <vector>

namespace PeerSockets {

// A listening TCP socket on 127.0.0.1 with a port of the kernel's choice; 0 port on failure.
int Listen(int& port);
// A bound UDP socket on 127.0.0.1; its port in `port`.
int BindUdp(int& port);
// A TCP connection to 127.0.0.1:port, or -1.
int Connect(int port);
// Waits up to `ms` for a connection on the listening socket; -1 when none came.
int Accept(int listener, int ms);
// Closes a connection with a reset instead of an orderly end.
void Reset(int fd);
// Reads exactly `count` bytes within `ms`; fewer when the time ran out or the peer left.
std::vector<unsigned char> ReadExactly(int fd, size_t count, int ms);
bool WriteAll(int fd, const void* data, size_t count);
// A port that nothing listens on right now.
int UnusedPort();
// Counting bytes 0, 1, 2, ... wrapping at 251, so that shifted or lost bytes show.
std::vector<unsigned char> Pattern(size_t count, unsigned seed = 0);
std::string LoopbackName(int port);

}  // namespace PeerSockets
