#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "device/streamio/UsbDevices.h"
#include "device/streamio/UsbHostStream.h"
#include "platform/base/ErrorCodes.h"
#include "platform/base/FileException.h"
#include "tests/device/streamio_transports/Elapsed.h"
#include "tests/device/streamio_transports/FakeUsbDevice.h"
#include "tests/device/streamio_transports/PeerSockets.h"

using namespace StreamIO;

namespace {

class UsbHost : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_stream.Open(CFakeUsbDevice::kPath, OPEN_READ | OPEN_WRITE)); }
  CFakeUsbDevice m_device;
  CUsbHostStream m_stream;
};

}  // namespace

TEST_F(UsbHost, AReadGathersPacketsUntilItHasAll) {
  const auto data = PeerSockets::Pattern(100);
  m_device.QueuePacket({data.begin(), data.begin() + 64});
  m_device.QueuePacket({data.begin() + 64, data.end()});
  std::vector<BYTE> received(100);
  EXPECT_EQ(m_stream.Read(received.data(), 100), 100);
  EXPECT_EQ(received, data);
  EXPECT_EQ(m_stream.GetError(), 0);
}

TEST_F(UsbHost, AReadThatBringsNothingEndsAfterItsTimeOut) {
  ASSERT_TRUE(m_stream.SetTimeouts(150, 100));
  BYTE buffer[8];
  auto start = SteadyClock::now();
  EXPECT_EQ(m_stream.Read(buffer, 8), 0);
  EXPECT_TRUE(m_stream.IsTimeout());
  EXPECT_GE(ElapsedMs(start), 145);
  EXPECT_LT(ElapsedMs(start), 400);
}

TEST_F(UsbHost, CancelEndsAReadThatWaitsForever) {
  ASSERT_TRUE(m_stream.SetTimeouts(-1, -1));
  std::thread reader([&] {
    BYTE buffer[8];
    m_stream.Read(buffer, 8);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  auto cancelled = SteadyClock::now();
  m_stream.Cancel();
  reader.join();
  EXPECT_LT(ElapsedMs(cancelled), 100);
  EXPECT_TRUE(m_stream.IsTimeout());
}

TEST_F(UsbHost, WritesGoOutAndAStalledDeviceTimesOut) {
  const auto data = PeerSockets::Pattern(300);
  EXPECT_EQ(m_stream.Write(data.data(), 300), 300);
  EXPECT_EQ(m_device.Written(), data);
  m_device.SetStalled(true);
  ASSERT_TRUE(m_stream.SetTimeouts(100, 80));
  EXPECT_EQ(m_stream.Write(data.data(), 10), 0);
  EXPECT_EQ(m_stream.GetError(), ERROR_TIMEOUT);
}

TEST_F(UsbHost, CloseReleasesPipesAndDevice) {
  EXPECT_EQ(m_device.OpenPipes(), 2);
  m_stream.Close();
  EXPECT_FALSE(m_stream.IsOpen());
  EXPECT_EQ(m_device.OpenPipes(), 0);
  EXPECT_EQ(m_device.OpenDevices(), 0);
  BYTE byte = 0;
  EXPECT_THROW(m_stream.Read(&byte, 1), CFileException);
}

TEST(UsbHostOpen, AnUnknownPathRaisesAndLeavesTheStreamClosed) {
  CFakeUsbDevice device;
  CUsbHostStream stream;
  try {
    stream.Open(u"/dev/bus/usb/009/009", OPEN_READ | OPEN_WRITE);
    FAIL() << "opened a device that is not there";
  } catch (const CFileException& e) {
    EXPECT_EQ(e.m_lOsError, ERROR_FILE_NOT_FOUND);
  }
  EXPECT_FALSE(stream.IsOpen());
  std::vector<CString> paths;
  ASSERT_TRUE(ListUsbHostDevices(paths));
  EXPECT_EQ(paths, std::vector<CString>{CString(u"/dev/bus/usb/001/042")});
}
