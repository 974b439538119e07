#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "device/streamio/IpStream.h"
#include "device/streamio/SocketLibrary.h"
#include "device/streamio/StreamIO.h"
#include "platform/base/ErrorCodes.h"
#include "platform/base/FileException.h"
#include "platform/io/SocketErrors.h"
#include "tests/device/streamio_transports/Elapsed.h"
#include "tests/device/streamio_transports/PeerSockets.h"

using namespace StreamIO;
using namespace PeerSockets;

namespace {

CString Name(const std::string& text) { return CString::FromUtf8(text); }

// A loopback TCP server that the test drives by hand.
class LoopbackServer : public ::testing::Test {
 protected:
  void SetUp() override {
    // The default action of SIGPIPE ends the process: a stream that raised it would fail here.
    signal(SIGPIPE, SIG_DFL);
    m_listener = Listen(m_port);
    ASSERT_GE(m_listener, 0);
  }
  void TearDown() override {
    if (m_listener >= 0) close(m_listener);
  }
  int m_listener = -1;
  int m_port = 0;
};

}  // namespace

TEST_F(LoopbackServer, ClientExchangesDataAndConnectsAgainAfterAReset) {
  auto opened = OpenStream(Name(LoopbackName(m_port)), OPEN_READ | OPEN_WRITE);
  auto* stream = dynamic_cast<CIpStream*>(opened.get());
  ASSERT_NE(stream, nullptr);
  EXPECT_TRUE(stream->IsConnected());
  ASSERT_TRUE(stream->SetTimeouts(2000, 1000));
  int peer = Accept(m_listener, 2000);
  ASSERT_GE(peer, 0);

  const auto request = Pattern(3000, 1);
  EXPECT_EQ(stream->Write(request.data(), int(request.size())), int(request.size()));
  EXPECT_EQ(ReadExactly(peer, request.size(), 2000), request);
  const auto answer = Pattern(5000, 2);
  ASSERT_TRUE(WriteAll(peer, answer.data(), answer.size()));
  std::vector<unsigned char> received(answer.size());
  EXPECT_EQ(stream->Read(received.data(), int(received.size())), int(received.size()));
  EXPECT_EQ(received, answer);

  // The server drops the connection hard and serves the next one: the read that notices the
  // reset connects again and goes on with the same time-outs.
  Reset(peer);
  const auto later = Pattern(10, 9);
  std::thread server([&] {
    int next = Accept(m_listener, 3000);
    if (next < 0) return;
    WriteAll(next, later.data(), later.size());
    ReadExactly(next, 1, 3000);
    close(next);
  });
  std::vector<unsigned char> again(later.size());
  EXPECT_EQ(stream->Read(again.data(), int(again.size())), int(again.size()));
  EXPECT_EQ(again, later);
  EXPECT_EQ(stream->GetError(), 0);
  int readTimeout = 0, writeTimeout = 0;
  ASSERT_TRUE(stream->GetTimeouts(readTimeout, writeTimeout));
  EXPECT_EQ(readTimeout, 2000);
  EXPECT_EQ(writeTimeout, 1000);
  EXPECT_EQ(stream->WriteByte(1), 1);
  server.join();
}

TEST_F(LoopbackServer, WritingToAResetPeerThatIsGoneReportsTheReset) {
  CIpStream stream(Name(LoopbackName(m_port)), OPEN_READ | OPEN_WRITE);
  int peer = Accept(m_listener, 2000);
  ASSERT_GE(peer, 0);
  close(m_listener);
  m_listener = -1;
  Reset(peer);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const auto data = Pattern(100);
  int written = 0;
  for (int i = 0; i < 3 && stream.IsOpen(); ++i) written += stream.Write(data.data(), int(data.size()));
  EXPECT_EQ(written, 0);
  EXPECT_EQ(stream.GetError(), WSAECONNRESET);
  EXPECT_FALSE(stream.IsOpen());
}

TEST_F(LoopbackServer, IdleReadEndsAfterItsTimeOut) {
  CIpStream stream(Name(LoopbackName(m_port)), OPEN_READ | OPEN_WRITE);
  ASSERT_TRUE(stream.SetTimeouts(250, 100));
  BYTE buffer[8];
  auto start = SteadyClock::now();
  EXPECT_EQ(stream.Read(buffer, sizeof buffer), 0);
  EXPECT_EQ(stream.GetError(), ERROR_TIMEOUT);
  EXPECT_GE(ElapsedMs(start), 245);
  EXPECT_LE(ElapsedMs(start), 350);
}

TEST_F(LoopbackServer, CancelFromAnotherThreadEndsABlockedReadAtOnce) {
  CIpStream stream(Name(LoopbackName(m_port)), OPEN_READ | OPEN_WRITE);
  int peer = Accept(m_listener, 2000);
  ASSERT_TRUE(stream.SetTimeouts(-1, -1));
  int caught = 0;
  std::thread reader([&] {
    BYTE buffer[4];
    try {
      stream.Read(buffer, sizeof buffer);
    } catch (const CFileException& e) {
      caught = e.m_lOsError;
    }
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  auto cancelled = SteadyClock::now();
  EXPECT_TRUE(stream.Cancel());
  reader.join();
  EXPECT_LT(ElapsedMs(cancelled), 100);
  EXPECT_EQ(caught, WSAEINTR);

  // The connection stays and later reads work.
  ASSERT_TRUE(stream.SetTimeouts(1000, 1000));
  const unsigned char byte = 77;
  WriteAll(peer, &byte, 1);
  EXPECT_EQ(stream.ReadByte(), 77);
  close(peer);
}

TEST_F(LoopbackServer, ConnectionRefusedRaisesTheSocketError) {
  int port = UnusedPort();
  try {
    CIpStream stream(Name(LoopbackName(port)), OPEN_READ | OPEN_WRITE);
    FAIL() << "opened a port nobody listens on";
  } catch (const CFileException& e) {
    EXPECT_EQ(e.m_lOsError, WSAECONNREFUSED);
  }
}

TEST(IpStreamServer, ServesOneClientAtATimeAndListensAgainWhenItLeaves) {
  const int port = UnusedPort();
  CIpStream server(Name("IP::" + std::to_string(port)), OPEN_READ | OPEN_WRITE);
  EXPECT_FALSE(server.IsConnected());
  ASSERT_TRUE(server.SetTimeouts(2000, 1000));
  int client = Connect(port);
  ASSERT_GE(client, 0);
  const auto hello = Pattern(20);
  WriteAll(client, hello.data(), hello.size());
  std::vector<unsigned char> received(hello.size());
  EXPECT_EQ(server.Read(received.data(), int(received.size())), int(received.size()));
  EXPECT_EQ(received, hello);
  EXPECT_TRUE(server.IsConnected());
  // The listening socket is closed while a client is served.
  EXPECT_LT(Connect(port), 0);
  EXPECT_EQ(server.Write(hello.data(), 5), 5);
  EXPECT_EQ(ReadExactly(client, 5, 2000).size(), 5u);

  close(client);
  BYTE byte;
  EXPECT_EQ(server.Read(&byte, 1), 0);
  EXPECT_EQ(server.GetError(), ERROR_HANDLE_EOF);
  int second = Connect(port);
  ASSERT_GE(second, 0);
  const unsigned char mark = 0x5A;
  WriteAll(second, &mark, 1);
  EXPECT_EQ(server.ReadByte(), 0x5A);
  close(second);
}

TEST(IpStreamUdp, ADatagramReadInPiecesComesOutWhole) {
  int port = 0;
  int peer = BindUdp(port);
  ASSERT_GE(peer, 0);
  CIpStream stream(Name(LoopbackName(port)), OPEN_READ | OPEN_WRITE | OPEN_UDP);
  ASSERT_TRUE(stream.SetTimeouts(100, 100));
  const unsigned char ping = 1;
  ASSERT_EQ(stream.Write(&ping, 1), 1);
  sockaddr_storage from{};
  socklen_t fromLength = sizeof from;
  unsigned char got;
  ASSERT_EQ(recvfrom(peer, &got, 1, 0, reinterpret_cast<sockaddr*>(&from), &fromLength), 1);
  const auto datagram = Pattern(100, 5);
  ASSERT_EQ(sendto(peer, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&from), fromLength),
            100);

  std::vector<unsigned char> joined;
  const int expected[] = {30, 30, 30, 10};
  for (int size : expected) {
    BYTE piece[30];
    const int read = stream.Read(piece, 30);
    EXPECT_EQ(read, size);
    joined.insert(joined.end(), piece, piece + read);
  }
  EXPECT_EQ(stream.GetError(), ERROR_TIMEOUT);
  EXPECT_EQ(joined, datagram);
  close(peer);
}

TEST(IpStreamUdp, ServerAnswersTheLastSender) {
  const int port = UnusedPort();
  CIpStream server(Name("IP::" + std::to_string(port)), OPEN_READ | OPEN_WRITE | OPEN_UDP);
  ASSERT_TRUE(server.SetTimeouts(1000, 1000));
  const unsigned char byte = 3;
  EXPECT_THROW(server.Write(&byte, 1), CFileException);
  int clientPort = 0;
  int client = BindUdp(clientPort);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(uint16_t(port));
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const unsigned char hello[] = {1, 2, 3};
  sendto(client, hello, 3, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
  BYTE received[3];
  EXPECT_EQ(server.Read(received, 3), 3);
  EXPECT_TRUE(server.IsConnected());
  EXPECT_EQ(server.Write(hello, 3), 3);
  EXPECT_EQ(ReadExactly(client, 3, 1000).size(), 3u);
  close(client);
}

TEST(IpStreamNames, HostAndPortComeFromTheName) {
  struct Case {
    const char16_t* name;
    const char16_t* host;
    const char16_t* port;
  };
  const Case cases[] = {
      {u"IP:192.168.0.5:3728", u"192.168.0.5", u"3728"},
      {u"IP:device.local:3728", u"device.local", u"3728"},
      {u"IP::3728", u"", u"3728"},
      {u"IP:", u"IP", u""},
      {u"IP:host:", u"host", u""},
  };
  for (const auto& c : cases) {
    CString host, port;
    CIpStream::SplitName(c.name, host, port);
    EXPECT_EQ(host, CString(c.host)) << CString(c.name).ToUtf8();
    EXPECT_EQ(port, CString(c.port)) << CString(c.name).ToUtf8();
  }
}

TEST(IpStreamNames, DottedIPv4Hosts) {
  struct Case {
    const char* host;
    bool dotted;
  };
  const Case cases[] = {
      {"192.168.0.5", true}, {"127.0.0.1", true},   {"255.255.255.255", true}, {"256.1.1.1", false},
      {"1.2.3", false},      {"1.2.3.4.5", false},  {"1.2.3.4x", false},       {"device.local", false},
      {"", false},           {"0001.2.3.4", false}, {"1..2.3", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsDottedIPv4(c.host), c.dotted) << c.host;
}
