#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "device/streamio/Rs232Stream.h"
#include "device/streamio/StreamIO.h"
#include "platform/base/ErrorCodes.h"
#include "platform/base/FileException.h"
#include "tests/device/streamio_transports/Elapsed.h"
#include "tests/device/streamio_transports/PeerSockets.h"
#include "tests/device/streamio_transports/PseudoTerminal.h"

using namespace StreamIO;

namespace {

SRs232Settings Settings115200() {
  SRs232Settings settings;
  settings.baud = 115200;
  settings.readTimeout = 2000;
  settings.writeTimeout = 2000;
  return settings;
}

class SerialOnPty : public ::testing::Test {
 protected:
  SerialOnPty() : m_pty(5) {}
  CPseudoTerminal m_pty;
};

}  // namespace

TEST_F(SerialOnPty, OpenByNameExchangesTenKilobytesBothWays) {
  ASSERT_GE(m_pty.Master(), 0);
  auto opened = OpenStream(u"com5:", OPEN_READ | OPEN_WRITE);
  auto* stream = dynamic_cast<CRs232Stream*>(opened.get());
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->GetName(), CString(u"\\\\.\\COM5"));
  ASSERT_TRUE(stream->SetSettings(Settings115200()));

  const auto outgoing = PeerSockets::Pattern(10240, 7);
  std::vector<unsigned char> arrived;
  std::thread peer([&] { arrived = PeerSockets::ReadExactly(m_pty.Master(), outgoing.size(), 5000); });
  EXPECT_EQ(stream->Write(outgoing.data(), int(outgoing.size())), int(outgoing.size()));
  peer.join();
  EXPECT_EQ(arrived, outgoing);

  const auto incoming = PeerSockets::Pattern(10240, 3);
  std::thread writer([&] { PeerSockets::WriteAll(m_pty.Master(), incoming.data(), incoming.size()); });
  std::vector<unsigned char> received(incoming.size());
  EXPECT_EQ(stream->Read(received.data(), int(received.size())), int(received.size()));
  writer.join();
  EXPECT_EQ(received, incoming);
  EXPECT_EQ(stream->GetError(), 0);
}

TEST_F(SerialOnPty, IdleReadEndsAfterItsTimeOut) {
  CRs232Stream stream(5, OPEN_READ | OPEN_WRITE, nullptr);
  ASSERT_TRUE(stream.SetTimeouts(300, 100));
  BYTE buffer[16];
  auto start = SteadyClock::now();
  EXPECT_EQ(stream.Read(buffer, sizeof buffer), 0);
  long elapsed = ElapsedMs(start);
  EXPECT_TRUE(stream.IsTimeout()) << "error " << stream.GetError();
  EXPECT_GE(elapsed, 300 - 5);
  EXPECT_LE(elapsed, 300 + 100);
}

TEST_F(SerialOnPty, PartialReadHandsOutWhatCameWithinTheTimeOut) {
  CRs232Stream stream(5, OPEN_READ | OPEN_WRITE, nullptr);
  ASSERT_TRUE(stream.SetTimeouts(200, 100));
  const unsigned char three[] = {1, 2, 3};
  ASSERT_TRUE(PeerSockets::WriteAll(m_pty.Master(), three, 3));
  BYTE buffer[10] = {};
  EXPECT_EQ(stream.Read(buffer, sizeof buffer), 3);
  EXPECT_EQ(buffer[2], 3);
}

TEST_F(SerialOnPty, CancelFromAnotherThreadEndsABlockedReadAtOnce) {
  CRs232Stream stream(5, OPEN_READ | OPEN_WRITE, nullptr);
  ASSERT_TRUE(stream.SetTimeouts(-1, -1));
  int caught = 0;
  long elapsed = 0;
  std::thread reader([&] {
    BYTE buffer[4];
    auto start = SteadyClock::now();
    try {
      stream.Read(buffer, sizeof buffer);
    } catch (const CFileException& e) {
      caught = e.m_lOsError;
    }
    elapsed = ElapsedMs(start);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  auto cancelled = SteadyClock::now();
  EXPECT_TRUE(stream.Cancel());
  reader.join();
  EXPECT_EQ(caught, ERROR_OPERATION_ABORTED);
  EXPECT_LT(ElapsedMs(cancelled), 100);
  EXPECT_GE(elapsed, 100);

  // The cancel reached only that read: the next one waits for its data as usual.
  ASSERT_TRUE(stream.SetTimeouts(300, 100));
  const unsigned char one[] = {42};
  ASSERT_TRUE(PeerSockets::WriteAll(m_pty.Master(), one, 1));
  EXPECT_EQ(stream.ReadByte(), 42);
  EXPECT_EQ(stream.GetError(), 0);
}

// A pseudo-terminal keeps speed, stop bits and flow control but always carries 8 data bits
// without parity; the frame formats are checked on the termios translation instead.
TEST_F(SerialOnPty, SettingsRecordIsAppliedAndReadBack) {
  struct Case {
    DWORD baud;
    BYTE dataBits;
    int parity;
    int stopBits;
    BYTE flags;
    BYTE expectedFlags;
  };
  const Case cases[] = {
      {9600, 8, 0, 0, 0, 0},
      {19200, 8, 0, 2, 0, 0},
      {38400, 8, 0, 0, RS232_RTSCTS, RS232_RTSCTS},
      {57600, 8, 0, 0, RS232_XONXOFF, RS232_XONXOFF},
      {115200, 8, 0, 2, RS232_XONXOFF | RS232_RTSCTS, RS232_XONXOFF | RS232_RTSCTS},
      // DSR flow control does not exist on this platform; DTR stays simply on.
      {4800, 8, 0, 0, RS232_DTRDSR, 0},
  };
  CRs232Stream stream(5, OPEN_READ | OPEN_WRITE, nullptr);
  for (const auto& c : cases) {
    SRs232Settings settings;
    settings.baud = c.baud;
    settings.dataBits = c.dataBits;
    settings.parity = c.parity;
    settings.stopBits = c.stopBits;
    settings.flags = c.flags;
    settings.readTimeout = 700;
    settings.writeTimeout = 40;
    ASSERT_TRUE(stream.SetSettings(settings)) << c.baud << " error " << stream.GetError();
    SRs232Settings back{};
    ASSERT_TRUE(stream.GetSettings(back));
    EXPECT_EQ(back.tag, SRs232Settings::kTag);
    EXPECT_EQ(back.baud, c.baud);
    EXPECT_EQ(back.dataBits, c.dataBits);
    EXPECT_EQ(back.parity, c.parity) << c.baud;
    EXPECT_EQ(back.stopBits, c.stopBits) << c.baud;
    EXPECT_EQ(back.flags, c.expectedFlags) << c.baud;
    EXPECT_EQ(back.readTimeout, 700);
    EXPECT_EQ(back.writeTimeout, 40);
  }
}

TEST_F(SerialOnPty, OneAndAHalfStopBitsNeedFiveDataBits) {
  CRs232Stream stream(5, OPEN_READ | OPEN_WRITE, nullptr);
  SRs232Settings settings;
  settings.stopBits = 1;
  EXPECT_FALSE(stream.SetSettings(settings));
  EXPECT_EQ(stream.GetError(), ERROR_INVALID_PARAMETER);
}

TEST_F(SerialOnPty, OpenWithoutRecordKeepsThePortsLineSettings) {
  {
    CRs232Stream first(5, OPEN_READ | OPEN_WRITE, nullptr);
    SRs232Settings settings;
    settings.baud = 57600;
    ASSERT_TRUE(first.SetSettings(settings));
    // The pseudo-terminal keeps its settings while the master side stays open.
  }
  CRs232Stream stream(5, OPEN_READ | OPEN_WRITE, nullptr);
  EXPECT_EQ(stream.GetStoredSettings().baud, 57600u);
  EXPECT_EQ(stream.GetBytesPerSecond(), 5760);
}

TEST_F(SerialOnPty, RecordWithAWrongTagIsRefusedBeforeThePortIsTouched) {
  CRs232Stream stream;
  SRs232Settings settings;
  settings.tag = 0;
  EXPECT_FALSE(stream.OpenPort(5, OPEN_READ | OPEN_WRITE, &settings));
  EXPECT_EQ(stream.GetError(), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_TRUE(stream.GetName().IsEmpty());
}

TEST_F(SerialOnPty, ReopenAppliesTheStoredRecordAgain) {
  SRs232Settings settings = Settings115200();
  settings.stopBits = 2;
  CRs232Stream stream(5, OPEN_READ | OPEN_WRITE, &settings);
  stream.Close();
  EXPECT_FALSE(stream.IsOpen());
  SRs232Settings other;
  CRs232Stream meddler(5, OPEN_READ | OPEN_WRITE, &other);
  meddler.Close();
  ASSERT_TRUE(stream.Reopen());
  SRs232Settings back{};
  ASSERT_TRUE(stream.GetSettings(back));
  EXPECT_EQ(back.baud, 115200u);
  EXPECT_EQ(back.stopBits, 2);
}

TEST_F(SerialOnPty, BytesWaitingAndPurge) {
  CRs232Stream stream(5, OPEN_READ | OPEN_WRITE, nullptr);
  const auto data = PeerSockets::Pattern(25);
  ASSERT_TRUE(PeerSockets::WriteAll(m_pty.Master(), data.data(), data.size()));
  auto deadline = SteadyClock::now() + std::chrono::seconds(2);
  while (stream.GetBytesWaiting() < 25 && SteadyClock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_EQ(stream.GetBytesWaiting(), 25);
  stream.Purge();
  EXPECT_EQ(stream.GetBytesWaiting(), 0);
}

TEST(SerialStream, BytesPerSecondFollowsTheFrame) {
  struct Case {
    DWORD baud;
    int parity;
    int stopBits;
    int expected;
  };
  const Case cases[] = {{9600, 0, 0, 960}, {19200, 1, 0, 1745}, {19200, 1, 2, 1600}, {115200, 0, 0, 11520}};
  for (const auto& c : cases) {
    CRs232Stream stream;
    CPseudoTerminal pty(9);
    SRs232Settings settings;
    settings.baud = c.baud;
    settings.parity = c.parity;
    settings.stopBits = c.stopBits;
    ASSERT_TRUE(stream.OpenPort(9, OPEN_READ | OPEN_WRITE, &settings));
    EXPECT_EQ(stream.GetBytesPerSecond(), c.expected) << c.baud;
  }
}

TEST(SerialStream, PortWithNoDeviceFailsToOpen) {
  CRs232Stream stream;
  EXPECT_FALSE(stream.OpenPort(200, OPEN_READ | OPEN_WRITE, nullptr));
  EXPECT_EQ(stream.GetError(), ERROR_FILE_NOT_FOUND);
  EXPECT_THROW(OpenStream(u"COM200:", OPEN_READ | OPEN_WRITE), CFileException);
}
