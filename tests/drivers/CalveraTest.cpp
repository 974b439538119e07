#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "device/streamio/StreamIO.h"
#include "device/streamio/UsbHostProbeControl.h"
#include "device/streamio/UsbHostProbeManager.h"
#include "drivers/Calvera2Device.h"
#include "drivers/DriverClasses.h"
#include "tests/drivers/InstrumentFixture.h"
#include "tests/sim/HidLink.h"
#include "tests/sim/HidProbeInstrument.h"
#include "tests/sim/Peer.h"
#include "tests/sim/instruments/InstrumentSimulator.h"
#include "tests/support/TimeScaleOverride.h"

namespace {

// The Calvera 3 on a simulated HID probe: its text channel in the feature-report mailbox, its
// data in input reports. Time runs twenty times faster.
class CalveraOverHid : public ::testing::Test {
 protected:
  CTimeScaleOverride timeScale;
  void SetUp() override {
    timeScale.Set(20);
    StreamIO::InitStreamIO();
    // Another test of this program may have ended the library, which leaves the probe
    // manager's close signal set.
    StreamIO::CUsbHostProbeManager::Instance().GetCloseEvent().ResetEvent();
    ASSERT_TRUE(Device::RegisterDriverClasses());
  }
  void TearDown() override {
    m_device.reset();
    if (m_peer) m_peer->Stop();
    StreamIO::ExitStreamIO();
  }
  void Connect() {
    m_peer = std::make_unique<Sim::CPeer>(std::make_unique<Sim::CHidLink>(m_probe));
    m_peer->Start([this](Sim::CPeer& peer) { m_instrument.Run(peer); });
    m_device = std::make_unique<Device::CCalvera2Device>();
    auto stream = std::make_unique<StreamIO::CUsbHostProbeControl>();
    ASSERT_TRUE(stream->Open(CString::FromUtf8(m_probe.Path()), StreamIO::OPEN_READ | StreamIO::OPEN_WRITE));
    std::unique_ptr<StreamIO::CIoStream> attached = std::move(stream);
    ASSERT_TRUE(m_device->Attach(attached, Device::ePortUsb));
  }
  int Count(const std::string& item) {
    const std::vector<std::string> log = m_instrument.Log();
    return int(std::count(log.begin(), log.end(), item));
  }

  Sim::CHidProbeInstrument m_probe{64, 17};
  Sim::CInstrumentSimulator m_instrument{5};
  std::unique_ptr<Sim::CPeer> m_peer;
  std::unique_ptr<Device::CCalvera2Device> m_device;
};

TEST_F(CalveraOverHid, AnUnconfiguredUnitIsNamedAndAnswersItsIdFromTheRecord) {
  m_instrument.SetIdentity(";1.0.0;CV05-000-0005;08000102;A1");
  Connect();
  SDeviceIdent ident;
  ASSERT_TRUE(m_device->Identify(ident));
  EXPECT_EQ(ident.deviceName, CString(u"New Calvera 3"));
  EXPECT_EQ(ident.appVersion, CString(u"1.0.0"));
  SDeviceIdent again;
  ASSERT_TRUE(m_device->QueryId(again));
  EXPECT_EQ(again.serialNumber, CString(u"CV05-000-0005"));
  EXPECT_EQ(Lines(m_instrument.Log()), "text @ID@\n");
}

TEST_F(CalveraOverHid, AConfiguredUnitAsksForItsIdAndMayLackItsHardwareRevision) {
  m_instrument.SetIdentity("Calvera 3;1.0.0;CV05-000-0005;08000102");
  Connect();
  SDeviceIdent ident;
  ASSERT_TRUE(m_device->Identify(ident));
  Device::SDeviceInfo info;
  m_device->GetDeviceInfo(info);
  EXPECT_TRUE(info.hardwareRevision.IsEmpty());
  ASSERT_TRUE(m_device->QueryId(ident));
  EXPECT_EQ(Count("text ID"), 1);
  m_instrument.SetIdentity("Calvera 3;1.0.0;CV05-000-0005;09000102;A1");
  EXPECT_FALSE(m_device->Identify(ident));
}

TEST_F(CalveraOverHid, DataReportsComeThroughOneDataChannel) {
  m_probe.QueueInputReport(1, {1, 2, 3, 4, 5, 6, 7, 8});
  m_probe.QueueInputReport(3, {9, 10, 11, 12, 13, 14, 15, 16});
  Connect();
  const int opensBefore = m_probe.Opens();
  BYTE report[Device::CCalvera2Device::kReportSize] = {};
  int status = -1;
  ASSERT_TRUE(m_device->ReadDataReport(report, status, 500));
  EXPECT_EQ(report[0], 1);
  EXPECT_EQ(report[7], 8);
  EXPECT_EQ(status, 1);
  ASSERT_TRUE(m_device->ReadDataReport(report, status, 500));
  EXPECT_EQ(report[0], 9);
  EXPECT_EQ(status, 3);
  // The first read opened the channel's own input handle; the second used it again.
  EXPECT_EQ(m_probe.Opens(), opensBefore + 1);
  EXPECT_FALSE(m_device->ReadDataReport(report, status, 100));
}

struct SPackedCase {
  const char* idAnswer;
  bool read;
  BYTE packed[8];
};

const SPackedCase kPackedCases[] = {
    {"Calvera 3;1.0.0;CV07-123-4567", true, {0x90, 0x07, 0x00, 0x00, 0x7B, 0x5C, 0x47, 0x70}},
    {"Calvera 3;1.0.0;CV99-999-9999", true, {0x90, 0x63, 0x00, 0x00, 0xE7, 0x3F, 0x9C, 0x70}},
    {"Calvera 3;1.0.0;CV7-123-4567", false, {0x90, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x70}},
    {"Calvera 3;1.0.0;cv07-123-4567", false, {0x90, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x70}},
    {"", false, {0x90, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x70}},
};

TEST_F(CalveraOverHid, PackedSerialTellsWhetherTheSerialWasRead) {
  Connect();
  for (const SPackedCase& packed : kPackedCases) {
    SCOPED_TRACE(packed.idAnswer);
    m_instrument.SetIdAnswer(packed.idAnswer);
    BYTE buffer[Device::CCalvera2Device::kPackedSerialSize];
    std::fill(std::begin(buffer), std::end(buffer), 0xEE);
    EXPECT_EQ(m_device->GetPackedSerial(buffer), packed.read);
    EXPECT_TRUE(std::equal(std::begin(buffer), std::end(buffer), std::begin(packed.packed)));
  }
}

}  // namespace
