#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <vector>

#include "device/Callback.h"
#include "device/DeviceAbort.h"
#include "device/PackageHeader.h"
#include "device/streamio/FileStream.h"
#include "device/streamio/IpStream.h"
#include "device/streamio/StreamIO.h"
#include "drivers/Calvera2Device.h"
#include "platform/base/Clock.h"
#include "tests/device/StepLog.h"
#include "tests/sim/Peer.h"
#include "tests/sim/Script.h"
#include "tests/sim/SocketLink.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TimeScaleOverride.h"

namespace {

// A device of a class that keeps the base update steps, attached to a scripted instrument on
// this program's own loopback address.
class BaseUpdateSteps : public ::testing::Test {
 protected:
  CTimeScaleOverride timeScale;
  void SetUp() override {
    timeScale.Set(20);
    StreamIO::InitStreamIO();
    Device::SetDeviceThreadAborted(false);
  }
  void TearDown() override {
    if (m_peer) m_peer->Stop();
    Device::SetDeviceThreadAborted(false);
    StreamIO::ExitStreamIO();
  }
  void Connect(const Sim::CScript& script) {
    m_peer = std::make_unique<Sim::CPeer>(std::make_unique<Sim::CSocketLink>("127.0.0.45", 0));
    m_peer->Start(script);
    std::unique_ptr<StreamIO::CIoStream> stream = std::make_unique<StreamIO::CIpStream>(
        CString::FromUtf8(m_peer->ClientName()), StreamIO::OPEN_READ | StreamIO::OPEN_WRITE);
    ASSERT_TRUE(m_device.Attach(stream, Device::ePortIp));
  }

  Device::CCalvera2Device m_device;
  std::unique_ptr<Sim::CPeer> m_peer;
};

TEST_F(BaseUpdateSteps, DeviceCheckComparesTheReportedCode) {
  Connect(Sim::CScript()
              .Expect({0xC0, 0xF1})
              .Reply({4, 0x08, 0x00, 0x00, 0x00})
              .Expect({0xC0, 0xF1})
              .Reply({4, 0x09, 0x00, 0x00, 0x00})
              .Expect({0xC0, 0xF1})
              .Reply({0xF5}));
  CStepLog log;
  ASSERT_TRUE(m_device.SetCallback(&log));
  Device::CPackageHeader header;
  header.m_deviceCode = 8;
  EXPECT_EQ(m_device.UpdateCheckDevice(header), 0);
  EXPECT_EQ(m_device.UpdateCheckDevice(header), 8);
  EXPECT_EQ(m_device.UpdateCheckDevice(header), 6);
  ASSERT_EQ(log.texts.size(), 3u);
  EXPECT_EQ(log.texts[0], CString(u"Perform some device checks."));
  m_device.DetachCallback();
}

TEST_F(BaseUpdateSteps, AbortedStepsStopAtOnce) {
  Connect(Sim::CScript());
  Device::SetDeviceThreadAborted(true);
  const Device::CPackageHeader header;
  const Device::SBlockRecord record;
  EXPECT_EQ(m_device.UpdateCheckDevice(header), 9);
  EXPECT_EQ(m_device.UpdateInit(header), 9);
  EXPECT_EQ(m_device.UpdateSetMode(header, record), 9);
  EXPECT_EQ(m_device.UpdateWriteDataBlock(record), 9);
  EXPECT_EQ(m_device.UpdateSetRunMode(header, record), 9);
  EXPECT_EQ(m_device.UpdateFinish(), 9);
  EXPECT_TRUE(m_peer->Transcript().empty());
}

TEST_F(BaseUpdateSteps, SeekSkipsTheBlockInThePackage) {
  Connect(Sim::CScript());
  const std::string path = TestPath("package.bin");
  std::ofstream(path, std::ios::binary) << std::string(100, 'x');
  StreamIO::CFileStream package(CString::FromUtf8(path), StreamIO::OPEN_READ);
  Device::SBlockRecord record;
  record.bytes[4] = 40;
  EXPECT_EQ(m_device.UpdateSeek(record), 1);
  ASSERT_TRUE(m_device.AttachSecondStream(&package));
  EXPECT_EQ(m_device.UpdateSeek(record), 0);
  EXPECT_EQ(package.GetPosition(), 40);
  EXPECT_EQ(m_device.DetachSecondStream(), &package);
}

TEST_F(BaseUpdateSteps, StepsWithNothingToDo) {
  Connect(Sim::CScript());
  CStepLog log;
  log.m_bProgressWanted = true;
  ASSERT_TRUE(m_device.SetCallback(&log));
  m_device.SetStepSuffix(u" [2/3]");
  const Device::CPackageHeader header;
  Device::SBlockRecord record;
  EXPECT_EQ(m_device.UpdateInit(header), 0);
  // Without the program flag in the mode after the block there is nothing to program.
  EXPECT_EQ(m_device.UpdateWriteDataBlock(record), 0);
  // The same mode before and after, and the block not wanted: no mode change.
  EXPECT_EQ(m_device.UpdateSetRunMode(header, record), 0);
  EXPECT_EQ(m_device.UpdateFinish(), 0);
  EXPECT_EQ(log.texts, (std::vector<CString>{u"Do device specific initializations.",
                                             u"Set the device into the appropriate operation mode. [2/3]",
                                             u"Finished the device update successfully."}));
  EXPECT_EQ(log.progress, (std::vector<int>{1001, 1001}));
  EXPECT_TRUE(m_peer->Transcript().empty());
  m_device.DetachCallback();
}

TEST(UpdateErrorText, TextsOfTheResultCodes) {
  const CString retry =
      u"\r\nPlease restart the device and this Application and retry the Update.\r\nIn case the error "
      u"persists, "
      u"contact a Jovant service centre.";
  Device::CCalvera2Device device;
  EXPECT_EQ(device.GetUpdateErrorText(0), CString());
  EXPECT_EQ(device.GetUpdateErrorText(1), u"An error (1) occurred during the device Update." + retry);
  EXPECT_EQ(device.GetUpdateErrorText(2), u"An error (2) occurred during the device Update." + retry);
  EXPECT_EQ(device.GetUpdateErrorText(3), u"An error occurred during data upload process." + retry);
  EXPECT_EQ(device.GetUpdateErrorText(6),
            u"A communication error occurred during the device Update." + retry);
  EXPECT_EQ(device.GetUpdateErrorText(7), CString(u"An error occurred during file read."));
  EXPECT_EQ(device.GetUpdateErrorText(8), CString(u"The update packet does not match the device type."));
  EXPECT_EQ(device.GetUpdateErrorText(9), CString(u"The process was aborted by the user."));
  EXPECT_EQ(device.GetUpdateErrorText(12), u"An error (12) occurred during the device Update." + retry);
}

}  // namespace
