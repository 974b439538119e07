#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "device/streamio/StreamIO.h"
#include "device/streamio/UsbDevices.h"
#include "device/streamio/UsbHostProbeControl.h"
#include "device/streamio/UsbHostProbeData.h"
#include "device/streamio/UsbHostProbeManager.h"
#include "platform/base/ErrorCodes.h"
#include "platform/io/PortSettings.h"
#include "tests/device/streamio_transports/Elapsed.h"
#include "tests/device/streamio_transports/PeerSockets.h"
#include "tests/sim/HidProbeInstrument.h"

using namespace StreamIO;

namespace {

constexpr DWORD kReadWrite = OPEN_READ | OPEN_WRITE;

// A probe with a 64-byte feature report (61 payload bytes) and 17-byte input reports.
class HidProbe : public ::testing::Test {
 protected:
  // Each test starts from a library that is not closing: another test of this program may have
  // ended the library, which leaves the probe manager's close signal set.
  HidProbe() : m_probe(64, 17) { CUsbHostProbeManager::Instance().GetCloseEvent().ResetEvent(); }
  Sim::CHidProbeInstrument m_probe;
};

}  // namespace

TEST_F(HidProbe, AWriteLongerThanOneReportArrivesWholeInMessages) {
  CUsbHostProbeControl control;
  ASSERT_TRUE(control.Open(Sim::CHidProbeInstrument::kDefaultPath, kReadWrite));
  const auto data = PeerSockets::Pattern(100);
  EXPECT_EQ(control.Write(data.data(), int(data.size())), 100);
  EXPECT_EQ(control.GetError(), 0);
  EXPECT_EQ(m_probe.Received(), data);
  // 61 + 39 bytes, the PC's counter raised once for each message.
  EXPECT_EQ(m_probe.MessageCounters(), (std::vector<int>{1, 2}));
  const auto mailbox = m_probe.Mailbox();
  EXPECT_EQ(mailbox[1] & 0x03, 0x03) << "taken message of the PC";
  EXPECT_EQ(mailbox[2] & 0x3F, 0) << "emptied for the next message";
}

TEST_F(HidProbe, ReadingPartOfAMessageAcknowledgesItOnce) {
  const auto data = PeerSockets::Pattern(25, 4);
  m_probe.QueueForHost(data, 25);
  CUsbHostProbeControl control;
  ASSERT_TRUE(control.Open(Sim::CHidProbeInstrument::kDefaultPath, kReadWrite));
  BYTE first[10];
  ASSERT_EQ(control.Read(first, 10), 10);
  EXPECT_EQ(m_probe.Acknowledgements(), 1);
  BYTE rest[15];
  ASSERT_EQ(control.Read(rest, 15), 15);
  EXPECT_EQ(m_probe.Acknowledgements(), 1);
  std::vector<BYTE> joined(first, first + 10);
  joined.insert(joined.end(), rest, rest + 15);
  EXPECT_EQ(joined, data);
}

TEST_F(HidProbe, AReadGathersSeveralMessages) {
  const auto data = PeerSockets::Pattern(150, 8);
  m_probe.QueueForHost(data, 61);
  CUsbHostProbeControl control;
  ASSERT_TRUE(control.Open(Sim::CHidProbeInstrument::kDefaultPath, kReadWrite));
  std::vector<BYTE> received(150);
  EXPECT_EQ(control.Read(received.data(), 150), 150);
  EXPECT_EQ(received, data);
  EXPECT_EQ(m_probe.Acknowledgements(), 3);
}

TEST_F(HidProbe, AWriteTheInstrumentNeverTakesTimesOutAndFreesTheMailbox) {
  m_probe.SetTakesMessages(false);
  CUsbHostProbeControl control;
  ASSERT_TRUE(control.Open(Sim::CHidProbeInstrument::kDefaultPath, kReadWrite));
  ASSERT_TRUE(control.SetTimeouts(500, 120));
  const auto data = PeerSockets::Pattern(10);
  auto start = SteadyClock::now();
  EXPECT_EQ(control.Write(data.data(), 10), 0);
  EXPECT_EQ(control.GetError(), ERROR_TIMEOUT);
  EXPECT_GE(ElapsedMs(start), 115);
  EXPECT_LT(ElapsedMs(start), 400);
  const auto mailbox = m_probe.Mailbox();
  EXPECT_EQ(mailbox[1] & 0x01, 0x01);
  EXPECT_EQ(mailbox[2] & 0x3F, 0);
  EXPECT_TRUE(m_probe.Received().empty());
}

TEST_F(HidProbe, AnIdleReadTimesOut) {
  CUsbHostProbeControl control;
  ASSERT_TRUE(control.Open(Sim::CHidProbeInstrument::kDefaultPath, kReadWrite));
  ASSERT_TRUE(control.SetTimeouts(150, 100));
  BYTE byte;
  auto start = SteadyClock::now();
  EXPECT_EQ(control.Read(&byte, 1), 0);
  EXPECT_TRUE(control.IsTimeout());
  EXPECT_GE(ElapsedMs(start), 145);
}

// Between two polls of a ten-minute interval only Cancel itself can end a waiting read: the
// test would run for ten minutes if it did not.
TEST_F(HidProbe, CancelEndsAWaitingReadOfEitherChannelAtOnce) {
  CUsbHostProbeControl control;
  ASSERT_TRUE(control.Open(Sim::CHidProbeInstrument::kDefaultPath, kReadWrite));
  CUsbHostProbeData data;
  ASSERT_TRUE(data.Open(Sim::CHidProbeInstrument::kDefaultPath, OPEN_READ));
  struct SChannel {
    CUsbHostProbeStream& stream;
    std::function<void()> waitForReader;
  };
  const SChannel channels[] = {{control, [&] { m_probe.WaitForPolls(2); }},
                               {data, [&] { m_probe.WaitForInputReads(1); }}};
  for (const SChannel& channel : channels) {
    channel.stream.SetPollingInterval(600000);
    ASSERT_TRUE(channel.stream.SetTimeouts(-1, -1));
    BYTE byte;
    int got = -1;
    std::thread reader([&] { got = channel.stream.Read(&byte, 1); });
    channel.waitForReader();
    channel.stream.Cancel();
    reader.join();
    EXPECT_EQ(got, 0);
    EXPECT_EQ(channel.stream.GetError(), ERROR_OPERATION_ABORTED);
  }
}

TEST_F(HidProbe, FlushTakesBackAMessageTheInstrumentLeftUnanswered) {
  m_probe.SetTakesMessages(false);
  CUsbHostProbeControl control;
  ASSERT_TRUE(control.Open(Sim::CHidProbeInstrument::kDefaultPath, kReadWrite));
  // A message of the PC stuck in the mailbox, as after a write that was abandoned.
  std::vector<BYTE> stuck(64);
  stuck[1] = 0x02 | (3 << 2);
  stuck[2] = 5;
  ASSERT_EQ(m_probe.SetFeature(100, stuck.data(), 64), 0);
  control.Flush();
  const auto mailbox = m_probe.Mailbox();
  EXPECT_EQ(mailbox[1] & 0x01, 0x01);
  EXPECT_EQ(mailbox[2] & 0x3F, 0);
}

TEST_F(HidProbe, OneControlStreamAPathAndTheSharedHandleLivesWithItsLastUser) {
  CUsbHostProbeControl control;
  ASSERT_TRUE(control.Open(Sim::CHidProbeInstrument::kDefaultPath, kReadWrite));
  EXPECT_TRUE(control.IsOpen());
  CUsbHostProbeControl second;
  EXPECT_FALSE(second.Open(Sim::CHidProbeInstrument::kDefaultPath, kReadWrite));
  EXPECT_EQ(second.GetError(), ERROR_NOT_SUPPORTED);
  EXPECT_FALSE(second.IsOpen());

  CUsbHostProbeData data;
  ASSERT_TRUE(data.Open(Sim::CHidProbeInstrument::kDefaultPath, kReadWrite));
  EXPECT_TRUE(data.IsOpen());
  // The shared handle and the data stream's own read handle.
  EXPECT_EQ(m_probe.OpenHandles(), 2);
  data.Close();
  EXPECT_EQ(m_probe.OpenHandles(), 1);
  EXPECT_TRUE(control.IsOpen());
  control.Close();
  EXPECT_EQ(m_probe.OpenHandles(), 0);
  EXPECT_FALSE(control.IsOpen());
}

TEST_F(HidProbe, InputReportsCountOncePerSequenceNumber) {
  CUsbHostProbeData data;
  ASSERT_TRUE(data.Open(Sim::CHidProbeInstrument::kDefaultPath, kReadWrite));
  ASSERT_TRUE(data.SetTimeouts(200, 100));
  m_probe.QueueInputReport(1, {'a', 'b', 'c'});
  m_probe.QueueInputReport(1, {'x', 'y', 'z'});
  m_probe.QueueInputReport(2, {'d', 'e', 'f', 'g'});
  BYTE received[5] = {};
  ASSERT_EQ(data.Read(received, 5), 5);
  EXPECT_EQ(std::string(received, received + 5), "abcde");
  EXPECT_EQ(data.GetSequenceNumber(), 2);
  BYTE rest[4] = {};
  EXPECT_EQ(data.Read(rest, 4), 2);
  EXPECT_EQ(std::string(rest, rest + 2), "fg");
  EXPECT_EQ(data.GetError(), ERROR_TIMEOUT);
  EXPECT_EQ(data.Write(rest, 2), 0);
}

TEST(UsbDeviceLists, NoDevicesGiveEmptyLists) {
  // Vendor id 0 belongs to no device, whatever this machine has attached.
  ASSERT_TRUE(SetUsbIds(0, 0, 0));
  std::vector<CString> paths{u"stale"};
  EXPECT_TRUE(ListHidProbes(paths));
  EXPECT_TRUE(paths.empty());
  paths = {u"stale"};
  EXPECT_TRUE(ListUsbHostDevices(paths));
  EXPECT_TRUE(paths.empty());
}

TEST_F(HidProbe, StreamsLookAtTheManagersEventsAndShutDownSignalsClose) {
  auto& manager = CUsbHostProbeManager::Instance();
  CUsbHostProbeControl control;
  ASSERT_TRUE(control.Open(Sim::CHidProbeInstrument::kDefaultPath, kReadWrite));
  // A lone waiter that sees an attach takes it back.
  manager.GetAttachEvent().SetEvent();
  EXPECT_TRUE(control.IsOpen());
  EXPECT_FALSE(manager.GetAttachEvent().IsSet());

  int value = 0;
  manager.WaitForEvents(value, 0);
  EXPECT_EQ(value, CUsbHostProbeManager::eTimeout);
  control.Close();
  InitStreamIO();
  ExitStreamIO();
  manager.WaitForEvents(value, 0);
  EXPECT_EQ(value, CUsbHostProbeManager::eClose);
}
