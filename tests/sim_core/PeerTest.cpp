// The simulated-instrument core seen from a plain POSIX client: scripts, transcript, faults,
// throttle and the two links.

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/base/Clock.h"
#include "tests/sim/Peer.h"
#include "tests/sim/PtyLink.h"
#include "tests/sim/Script.h"
#include "tests/sim/SocketLink.h"
#include "tests/support/TimeScaleOverride.h"

using namespace Sim;
using Bytes = std::vector<BYTE>;
using SteadyClock = std::chrono::steady_clock;

namespace {

constexpr char kAddress[] = "127.0.0.43";

// A connected client socket on the link's port, or -1.
int Connect(const CPeer& peer) {
  const std::string name = peer.ClientName();
  const int port = std::stoi(name.substr(name.rfind(':') + 1));
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(uint16_t(port));
  inet_pton(AF_INET, kAddress, &address.sin_addr);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

// What arrives until the peer has been quiet for `quietMs` (real) or the connection ends.
Bytes ReadUntilQuiet(int fd, int quietMs = 300) {
  Bytes got;
  for (;;) {
    pollfd in{fd, POLLIN, 0};
    if (poll(&in, 1, quietMs) <= 0) return got;
    BYTE buffer[4096];
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) return got;
    got.insert(got.end(), buffer, buffer + n);
  }
}

bool PeerClosed(int fd) {
  pollfd in{fd, POLLIN, 0};
  BYTE byte;
  return poll(&in, 1, 1000) == 1 && read(fd, &byte, 1) == 0;
}

class SocketPeer : public ::testing::Test {
 protected:
  CTimeScaleOverride timeScale;
  SocketPeer() : m_peer(std::make_unique<CSocketLink>(kAddress, 0)) {}
  void TearDown() override {
    m_peer.Stop();
    if (m_client >= 0) close(m_client);
  }
  void Send(const Bytes& bytes) {
    ASSERT_EQ(write(m_client, bytes.data(), bytes.size()), ssize_t(bytes.size()));
  }

  CPeer m_peer;
  int m_client = -1;
};

}  // namespace

TEST_F(SocketPeer, ScriptRepliesAndTranscriptKeepsEverythingReceived) {
  m_peer.Start(CScript().Expect({0xC0, 0xF1}).Reply({0x04, 1, 2, 3, 4}));
  m_client = Connect(m_peer);
  ASSERT_GE(m_client, 0);
  Send({0xC0, 0xF1});
  EXPECT_EQ(ReadUntilQuiet(m_client), (Bytes{0x04, 1, 2, 3, 4}));
  Send({0x55, 0x66});  // after the script: recorded, not answered
  ASSERT_TRUE(m_peer.WaitForTranscript(4, 2000));
  EXPECT_EQ(m_peer.Transcript(), (Bytes{0xC0, 0xF1, 0x55, 0x66}));
  EXPECT_TRUE(m_peer.Failures().empty());
}

TEST_F(SocketPeer, MismatchEndsTheScriptWithAFailure) {
  m_peer.Start(CScript().Expect({0x01, 0x02}).Reply({0x09}));
  m_client = Connect(m_peer);
  Send({0x01, 0x03});
  ASSERT_TRUE(m_peer.WaitSessionEnd(2000));
  EXPECT_EQ(m_peer.Failures(), std::vector<std::string>{"step 1: expected 01 02, received 01 03"});
  EXPECT_TRUE(ReadUntilQuiet(m_client, 100).empty()) << "the reply after the mismatch went out";
}

TEST_F(SocketPeer, FaultsChangeTheNextReply) {
  const Bytes reply = {0x01, 0x02, 0x03, 0x04, 0x05};
  const struct {
    const char* name;
    SFault fault;
    Bytes arrives;
  } cases[] = {
      {"corrupted last byte", SFault::CorruptByte(-1), {0x01, 0x02, 0x03, 0x04, 0xFA}},
      {"corrupted first byte", SFault::CorruptByte(0), {0xFE, 0x02, 0x03, 0x04, 0x05}},
      {"lost byte", SFault::DropByte(1), {0x01, 0x03, 0x04, 0x05}},
      {"silence", SFault::Silence(), {}},
      {"stall", SFault::Stall(2, 100), {0x01, 0x02, 0x03, 0x04, 0x05}},
  };
  m_peer.Start([&](CPeer& peer) {
    for (const auto& c : cases) {
      BYTE request;
      if (!peer.Receive(&request, 1, 5000)) return;
      peer.InjectFault(c.fault);
      peer.Send(reply);
    }
  });
  m_client = Connect(m_peer);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Send({0x00});
    EXPECT_EQ(ReadUntilQuiet(m_client), c.arrives);
  }
}

TEST_F(SocketPeer, HangupEndsTheConnectionAndTheNextClientIsServed) {
  m_peer.Start(
      CScript().Expect({0x01}).Reply({0x0A, 0x0B, 0x0C}, SFault::Hangup(2)).Expect({0x02}).Reply({0x0D}));
  m_client = Connect(m_peer);
  Send({0x01});
  EXPECT_EQ(ReadUntilQuiet(m_client), (Bytes{0x0A, 0x0B}));
  EXPECT_TRUE(PeerClosed(m_client));
  close(m_client);
  m_client = Connect(m_peer);
  Send({0x02});
  EXPECT_EQ(ReadUntilQuiet(m_client), Bytes{0x0D});
  EXPECT_TRUE(m_peer.Failures().empty());
}

// The test's thread asks for the hang-up while the peer's thread waits on the link without a
// time-out; the connection ends at once, and the next client is taken.
TEST_F(SocketPeer, HangupRequestedFromTheTestEndsTheConnectionTheIdlePeerWaitsOn) {
  m_peer.Start(CScript().Expect({0x01}).Reply({0x0A}));
  m_client = Connect(m_peer);
  Send({0x01});
  EXPECT_EQ(ReadUntilQuiet(m_client), Bytes{0x0A});
  ASSERT_TRUE(m_peer.WaitSessionEnd(2000));
  m_peer.RequestHangup();
  EXPECT_TRUE(PeerClosed(m_client));
  close(m_client);
  m_client = Connect(m_peer);
  Send({0x02});
  ASSERT_TRUE(m_peer.WaitForTranscript(2, 2000)) << "the peer stopped receiving after the hang-up";
}

TEST_F(SocketPeer, ByteRateHoldsBothDirectionsToTheScaledClock) {
  timeScale.Set(10);
  // 2000 bytes at 4000 bytes per second take half a second of scaled time each way.
  m_peer.SetByteRate(4000);
  m_peer.Start(CScript().Skip(2000).Reply(Bytes(2000, 0x5A)));
  m_client = Connect(m_peer);
  const ULONGLONG start = GetTickCount64();
  Send(Bytes(2000, 0xA5));
  ASSERT_TRUE(m_peer.WaitForTranscript(2000, 5000));
  const ULONGLONG received = GetTickCount64();
  Bytes got;
  while (got.size() < 2000) {
    Bytes more = ReadUntilQuiet(m_client, 1000);
    if (more.empty()) break;
    got.insert(got.end(), more.begin(), more.end());
  }
  EXPECT_EQ(got.size(), 2000u);
  EXPECT_GE(received - start, 450u);
  EXPECT_GE(GetTickCount64() - received, 450u);
}

TEST(PtyPeer, SlaveDeviceTalksToThePeer) {
  auto link = std::make_unique<CPtyLink>();
  ASSERT_TRUE(link->IsOpen());
  const std::string slave = link->ClientName();
  CPeer peer(std::move(link));
  peer.Start(CScript().Expect({0x10}).Reply({0x06}));
  int fd = open(slave.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  termios tio{};
  tcgetattr(fd, &tio);
  cfmakeraw(&tio);
  tcsetattr(fd, TCSANOW, &tio);
  const BYTE dle = 0x10;
  ASSERT_EQ(write(fd, &dle, 1), 1);
  EXPECT_EQ(ReadUntilQuiet(fd), Bytes{0x06});
  close(fd);
  peer.Stop();
  EXPECT_EQ(peer.Transcript(), Bytes{0x10});
  EXPECT_TRUE(peer.Failures().empty());
}

TEST(PtyPeer, HangupRequestedFromTheTestHangsUpTheSlaveDevice) {
  auto link = std::make_unique<CPtyLink>();
  ASSERT_TRUE(link->IsOpen());
  const std::string slave = link->ClientName();
  CPeer peer(std::move(link));
  peer.Start(CScript());
  const int fd = open(slave.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  ASSERT_TRUE(peer.WaitSessionEnd(2000));
  peer.RequestHangup();
  pollfd in{fd, POLLIN, 0};
  EXPECT_EQ(poll(&in, 1, 2000), 1);
  EXPECT_TRUE(in.revents & POLLHUP) << "the slave device did not see the hang-up";
  close(fd);
  peer.Stop();
}
