#pragma once
// A socket with the socket library's conventions: every operation returns 0 or the library's
// error number (SocketErrors.h), waits take milliseconds on the scaled clock (-1 waits
// forever) and can be ended at once from another thread through a CWakeSignal (WSAEINTR, as
// a cancelled blocking call reported). Sending never raises a signal: a send on a connection
// the peer has reset fails with WSAECONNRESET.

#include <string>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/io/SocketErrors.h"
#include "platform/io/WakeSignal.h"

struct SSocketAddress {
  BYTE data[128] = {};
  int length = 0;
  int family = 0;
  int type = 0;
  int protocol = 0;
};

// Resolves an IPv4 stream (TCP) or datagram (UDP) address. An empty host gives the wildcard
// address to bind (passive, numeric port); a numeric host is not looked up by name.
int ResolveSocketAddresses(const std::string& host, const std::string& service, bool datagram,
                           bool numericHost, std::vector<SSocketAddress>& addresses);

class CSocket {
 public:
  CSocket() = default;
  ~CSocket();
  CSocket(const CSocket&) = delete;
  CSocket& operator=(const CSocket&) = delete;

  bool IsValid() const { return m_fd >= 0; }
  // A socket of the address's family, type and protocol.
  int Create(const SSocketAddress& address);
  // Connects, waiting at most the connection time-out of the socket library (21 s).
  int Connect(const SSocketAddress& address, CWakeSignal& wake);
  int Bind(const SSocketAddress& address);
  int Listen(int backlog);
  // Takes the waiting connection into `client`.
  int Accept(CSocket& client);
  int SetKeepAlive(bool on);
  int SetOutOfBandInline(bool on);
  // 0 when ready within the time-out, ERROR_TIMEOUT (1460) when not, WSAEINTR when woken.
  int WaitReadable(int timeoutMs, CWakeSignal& wake);
  int WaitWritable(int timeoutMs, CWakeSignal& wake);
  // One receive or send of what is ready; they do not wait.
  int Receive(void* buffer, int count, int& received);
  int Send(const void* buffer, int count, int& sent);
  int ReceiveFrom(void* buffer, int count, int& received, SSocketAddress& from);
  int SendTo(const void* buffer, int count, int& sent, const SSocketAddress& to);
  // Bytes ready to read; for a datagram socket the size of the next datagram.
  int BytesReadable(int& bytes);
  // Ends both directions of a connection.
  int Shutdown();
  int Close();

 private:
  void DisableSendDelay();
  int Wait(short events, int timeoutMs, CWakeSignal& wake);
  int LastError() const;

  int m_fd = -1;
  int m_type = 0;
};
