// The calibration's live connection against the simulated ZD-2 over a loopback socket and a
// pseudo-terminal: the search, the firmware check, the identity and battery read, the read
// thread's samples, its failures, pausing and the disconnect.

#include <algorithm>
#include <string>
#include <thread>

#include "device/DeviceTypes.h"
#include "platform/ui/SimulatedInput.h"
#include "tests/calibration/connection/ConnFixture.h"
#include "tests/sim/PtyLink.h"

namespace {

// The error texts as the test output can show them.
std::vector<std::string> Texts(const std::vector<CString>& texts) {
  std::vector<std::string> utf8;
  for (const CString& text : texts) utf8.push_back(text.ToUtf8());
  return utf8;
}

// The samples' numbers run 1, 2, 3, ... without a gap.
bool NumberedFromOne(const std::vector<SLiveSample>& samples) {
  for (size_t i = 0; i < samples.size(); ++i)
    if (samples[i].sampleNumber != int(i + 1)) return false;
  return true;
}

TEST_P(LiveConnection, AcceptsTheInstrumentReadsItAndPostsEverySampleInOrder) {
  ASSERT_TRUE(Connect(kSampleMessage, true));
  EXPECT_EQ(owner.connectResults, std::vector<int>{1});
  EXPECT_TRUE(connection->IsConnected());
  EXPECT_FALSE(connection->m_connectFailed);
  EXPECT_EQ(document.m_firmwareVersion, u"1.6.3");
  EXPECT_EQ(document.m_serialNumber, u"VN02-123-4567");
  EXPECT_EQ(document.m_pcbSerialNumber, u"EN-2207");
  // "@VB@" answers 6810: 0x1068 millivolts.
  EXPECT_DOUBLE_EQ(connection->m_batteryVoltage, 4.2);
  // An "IP:" name carries no number after the stripped letters.
  EXPECT_EQ(connection->m_comPort, GetParam() == EConnLink::eSocket ? 0 : 12);
  ASSERT_TRUE(PumpUntil([&] { return owner.samples.size() >= 50; }));
  EXPECT_TRUE(connection->IsReadThreadRunning());
  EXPECT_TRUE(NumberedFromOne(owner.samples));
  EXPECT_TRUE(std::all_of(owner.samples.begin(), owner.samples.end(), [](const SLiveSample& sample) {
    return sample.timestamp != 0 && sample.driveState == 0;
  }));
  EXPECT_TRUE(zd2.InDebugProtocol());
  EXPECT_TRUE(connection->IsDriveStopped());
  EXPECT_TRUE(answers.GetMessageBoxes().empty());

  connection->Disconnect();
  EXPECT_FALSE(connection->IsConnected());
  EXPECT_FALSE(connection->IsReadThreadRunning());
  EXPECT_EQ(document.m_device, nullptr);
  // The device object left the instrument's debug protocol with a restart.
  EXPECT_FALSE(zd2.InDebugProtocol());
}

TEST_P(LiveConnection, DestroyedWhileItsSearchRunsIsNeverCalledAgain) {
  StartSimulator();
  Peer().InjectFault(Sim::SFault::Stall(0, 60000));
  connection = std::make_unique<CConnVexa>(&owner, &document, kSampleMessage, true, kConnectMessage);
  ASSERT_TRUE(connection->Connect(LinkRequest()));
  // The identify is under way and its answer held back.
  ASSERT_TRUE(Peer().WaitForTranscript(1, 20000));
  connection.reset();

  // The device thread runs the next search only once the first has ended; had the first gone
  // on, it would have reported to the destroyed connection and posted its outcome.
  Device::SSearchRequest nowhere;
  nowhere.deviceType = Device::eTypeVexalon;
  nowhere.portKind = Device::ePortSerial;
  nowhere.portNumber = 97;
  ASSERT_TRUE(ConnectWith(nowhere, kSampleMessage, true));
  EXPECT_EQ(owner.connectResults, std::vector<int>{0});
  EXPECT_EQ(document.m_device, nullptr);
}

TEST_P(LiveConnection, RefusesFirmwareBelow163WithItsBoxAndConnectMessageZero) {
  zd2.SetIdentity("ZD-2;2;VN02-123-4567;0C000102;1.6.2");
  ASSERT_TRUE(Connect(kSampleMessage, true));
  EXPECT_EQ(owner.connectResults, std::vector<int>{0});
  EXPECT_FALSE(connection->IsConnected());
  EXPECT_TRUE(connection->m_connectFailed);
  EXPECT_FALSE(connection->IsReadThreadRunning());
  EXPECT_EQ(document.m_device, nullptr);
  const auto boxes = answers.GetMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(
      boxes[0].text,
      u"The test can not be continued!!! You need to update the ZD-2 firmware to version 1.6.3 or higher. "
      u"Your current firmware version is 1.6.2.");
}

TEST_P(LiveConnection, WithoutADataMessageTheLatestSampleStillMoves) {
  ASSERT_TRUE(Connect(0, true));
  SLiveSample latest;
  ASSERT_TRUE(PumpUntil([&] { return connection->GetLatestSample(latest) && latest.sampleNumber >= 30; }));
  EXPECT_TRUE(owner.samples.empty());
  EXPECT_EQ(latest.driveState, 0);
}

TEST_P(LiveConnection, ASecondStartWhileReadingStartsNoSecondThread) {
  ASSERT_TRUE(Connect(kSampleMessage, false));
  EXPECT_FALSE(connection->IsReadThreadRunning());
  // No read thread, no sample: the drive does not count as stopped.
  EXPECT_FALSE(connection->IsDriveStopped());
  ASSERT_TRUE(connection->StartReadThread());
  ASSERT_TRUE(PumpUntil([&] { return owner.samples.size() >= 10; }));
  EXPECT_TRUE(connection->StartReadThread());
  ASSERT_TRUE(PumpUntil([&] { return owner.samples.size() >= 60; }));
  // A second reader would have numbered from 1 again and shared the frames.
  EXPECT_TRUE(NumberedFromOne(owner.samples));
}

TEST_P(LiveConnection, DisconnectWhileReadingLeavesNoSampleToArriveLater) {
  ASSERT_TRUE(Connect(kSampleMessage, true));
  // The frames go on while this thread does not take its messages, so samples queue up.
  const int sent = zd2.FramesSent();
  while (zd2.FramesSent() < sent + 40) std::this_thread::yield();
  connection->Disconnect();
  const size_t received = owner.samples.size();
  EXPECT_TRUE(PumpUntil([&] { return !zd2.InDebugProtocol(); }));
  EXPECT_EQ(owner.samples.size(), received);
}

TEST_P(LiveConnection, DisconnectTakesBackAndFreesTheSamplesStillQueued) {
  ASSERT_TRUE(Connect(kSampleMessage, true));
  CutTheLinkOnceReading(150);
  // From here this thread takes no messages until the disconnect. The reader ends with the
  // cut and is joined on a thread that takes none either, so that the disconnect itself has
  // nothing to wait for, and every sample the reader posted is still queued when it runs.
  std::thread joiner([&] {
    while (connection->IsReadThreadRunning()) std::this_thread::yield();
    connection->StopReadThread();
  });
  joiner.join();
  const size_t delivered = owner.samples.size();
  connection->Disconnect();
  // The reader's error notice is no sample: it still comes, and no sample with it.
  ASSERT_TRUE(PumpUntil([&] { return owner.errorNotices > 0; }));
  EXPECT_EQ(owner.samples.size(), delivered);
  EXPECT_LT(delivered, 100u) << "the samples were queued, not delivered";
}

TEST_P(LiveConnection, AFailedSetUpReleasesTheReaderAndReportsWhy) {
  ASSERT_TRUE(Connect(kSampleMessage, false));
  // The instrument does not answer the switch to its debug protocol.
  Peer().InjectFault(Sim::SFault::Silence());
  EXPECT_TRUE(connection->StartReadThread());
  ASSERT_TRUE(PumpUntil([&] { return owner.errorNotices > 0 && !connection->IsReadThreadRunning(); }));
  EXPECT_EQ(Texts(document.TakeErrors()), std::vector<std::string>{"Failed to switch to debug protocol."});
  EXPECT_FALSE(connection->IsDriveStopped());
  // Nothing holds the reader any more: the next start reads.
  EXPECT_TRUE(connection->StartReadThread());
  ASSERT_TRUE(PumpUntil([&] { return !owner.samples.empty(); }));
  EXPECT_TRUE(connection->IsConnected());
}

TEST_P(LiveConnection, ALostInstrumentEndsTheReaderWithItsError) {
  ASSERT_TRUE(Connect(kSampleMessage, true));
  const int lastFrame = CutTheLinkOnceReading(150);
  ASSERT_TRUE(PumpUntil([&] { return owner.errorNotices > 0 && !connection->IsReadThreadRunning(); }));
  EXPECT_EQ(Texts(document.TakeErrors()), std::vector<std::string>{"Failed to get input stream from ZD-2."});
  EXPECT_LE(owner.samples.size(), size_t(lastFrame));
  EXPECT_TRUE(NumberedFromOne(owner.samples));
  EXPECT_FALSE(connection->IsDriveStopped());
  EXPECT_TRUE(connection->IsConnected());
}

TEST_P(LiveConnection, APausedReaderReadsNothingUntilResumed) {
  ASSERT_TRUE(Connect(kSampleMessage, true));
  ASSERT_TRUE(PumpUntil([&] { return owner.samples.size() >= 10; }));
  connection->PauseReading();
  PumpMessages(0);
  const size_t paused = owner.samples.size();
  const int sent = zd2.FramesSent();
  ASSERT_TRUE(PumpUntil([&] { return zd2.FramesSent() > sent + 20; }));
  EXPECT_EQ(owner.samples.size(), paused);
  connection->ResumeReading();
  ASSERT_TRUE(PumpUntil([&] { return owner.samples.size() > paused + 10; }));
  EXPECT_TRUE(NumberedFromOne(owner.samples));
}

CONN_ON_BOTH_LINKS(LiveConnection);

// Two instruments on pseudo-terminals, both found by one scan of the serial ports.
class LiveConnectionOfAScan : public LiveConnection {
 protected:
  std::unique_ptr<Sim::CPeer> StartAt(Sim::CZd2Simulator& simulator, Sim::CPtyLink*& link, int com) {
    auto pty = std::make_unique<Sim::CPtyLink>();
    EXPECT_TRUE(pty->MapToComPort(com));
    link = pty.get();
    auto peer = std::make_unique<Sim::CPeer>(std::move(pty));
    peer->Start([&simulator](Sim::CPeer& p) { simulator.Run(p); });
    return peer;
  }
};

TEST_P(LiveConnectionOfAScan, KeepsTheFirstInstrumentAndClosesTheFurtherOne) {
  Sim::CZd2Simulator second;
  second.SetIdentity("ZD-2;2;VN02-000-0094;0C000102;1.6.3");
  zd2.SetIdentity("ZD-2;2;VN02-000-0093;0C000102;1.6.3");
  Sim::CPtyLink* firstLink = nullptr;
  Sim::CPtyLink* secondLink = nullptr;
  auto firstPeer = StartAt(zd2, firstLink, 93);
  auto secondPeer = StartAt(second, secondLink, 94);
  Device::SSearchRequest request;
  request.deviceType = Device::eTypeVexalon;
  request.portKind = Device::ePortSerial;
  request.scanAllPorts = true;
  request.stopAtFirst = false;
  ASSERT_TRUE(ConnectWith(request, kSampleMessage, false));
  EXPECT_EQ(owner.connectResults, std::vector<int>{1});
  EXPECT_EQ(document.m_serialNumber, u"VN02-000-0093");
  EXPECT_EQ(connection->m_comPort, 93);
  EXPECT_TRUE(firstLink->HasClient());
  EXPECT_FALSE(secondLink->HasClient()) << "the further instrument's port is still open";
  connection.reset();
  firstPeer->Stop();
  secondPeer->Stop();
}

INSTANTIATE_TEST_SUITE_P(Links, LiveConnectionOfAScan, ::testing::Values(EConnLink::ePseudoTerminal));

// The port number a device's stream name carries.
class CPortNameProbe : public CConnVexa {
 public:
  using CConnBase::ComPortNumberOf;
};

TEST(LiveConnectionPort, TakesTheNumberAfterTheStrippedLetters) {
  const struct {
    const char16_t* name;
    int number;
  } cases[] = {
      {u"COM12:", 12},
      {u"\\\\.\\COM7", 7},
      {u"COM", 0},
      {u"IP:127.0.0.91:3728", 0},
      {u"/dev/pts/3", 0},
      {u"", 0},
      // A run of digits too long for any port stops short of overflowing.
      {u"COM12345678901234567890", 123456},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CPortNameProbe::ComPortNumberOf(c.name), c.number) << CString(c.name).ToUtf8();
}

}  // namespace
