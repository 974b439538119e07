#include <gtest/gtest.h>
#include <unistd.h>

#include <thread>
#include <vector>

#include "device/streamio/StreamIO.h"
#include "tests/device/streamio_transports/PeerSockets.h"
#include "tests/device/streamio_transports/PseudoTerminal.h"

using namespace StreamIO;
using namespace PeerSockets;

namespace {

constexpr size_t kBytes = 20000;
constexpr int kChunk = 100;

// Writes the pattern in chunks on a thread of its own while this thread reads the echo: one
// reader and one writer on the stream at once.
std::vector<unsigned char> EchoFullDuplex(CIoStream& stream, const std::vector<unsigned char>& sent) {
  std::thread writer([&] {
    for (size_t done = 0; done < sent.size();) {
      const int written = stream.Write(sent.data() + done, int(std::min(sent.size() - done, size_t(kChunk))));
      if (written <= 0) return;
      done += size_t(written);
    }
  });
  std::vector<unsigned char> received(sent.size());
  for (size_t done = 0; done < received.size();) {
    const int read =
        stream.Read(received.data() + done, int(std::min(received.size() - done, size_t(kChunk))));
    if (read <= 0) break;
    done += size_t(read);
  }
  writer.join();
  return received;
}

// Sends back whatever arrives on the descriptor until `count` bytes went back.
std::thread StartEcho(int fd, size_t count) {
  return std::thread([fd, count] {
    for (size_t echoed = 0; echoed < count;) {
      unsigned char buffer[512];
      const ssize_t got = read(fd, buffer, sizeof buffer);
      if (got <= 0 || !WriteAll(fd, buffer, size_t(got))) return;
      echoed += size_t(got);
    }
  });
}

TEST(FullDuplex, ASocketStreamReadsAndWritesOnTwoThreadsAtOnce) {
  InitStreamIO();
  int port = 0;
  const int listener = Listen(port);
  ASSERT_GE(listener, 0);
  auto stream = OpenStream(CString::FromUtf8(LoopbackName(port)), OPEN_READ | OPEN_WRITE);
  ASSERT_TRUE(stream->SetTimeouts(5000, 5000));
  const int peer = Accept(listener, 2000);
  ASSERT_GE(peer, 0);
  const auto sent = Pattern(kBytes, 3);
  std::thread echo = StartEcho(peer, kBytes);
  EXPECT_EQ(EchoFullDuplex(*stream, sent), sent);
  echo.join();
  stream.reset();
  close(peer);
  close(listener);
  ExitStreamIO();
}

TEST(FullDuplex, ASerialStreamReadsAndWritesOnTwoThreadsAtOnce) {
  CPseudoTerminal pty(6);
  InitStreamIO();
  auto stream = OpenStream(u"com6:", OPEN_READ | OPEN_WRITE);
  ASSERT_TRUE(stream->SetTimeouts(5000, 5000));
  const auto sent = Pattern(kBytes, 4);
  std::thread echo = StartEcho(pty.Master(), kBytes);
  EXPECT_EQ(EchoFullDuplex(*stream, sent), sent);
  echo.join();
  stream.reset();
  ExitStreamIO();
}

}  // namespace
