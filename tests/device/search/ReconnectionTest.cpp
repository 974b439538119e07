// Reconnection jobs: waiting for a restarting ZD-2 that must come back with its serial number.

#include <algorithm>

#include "platform/kernel/Thread.h"
#include "tests/device/search/DeviceThreadFixture.h"

namespace {

using Lines = std::vector<std::string>;

const char kAwait[] = "status: Await device answer for reconnection...";

Device::SSearchRequest Reconnection(const std::string& host, int waitMs) {
  Device::SSearchRequest request;
  request.deviceType = Device::eTypeVexalon;
  request.portKind = Device::ePortIp;
  request.ipHost = CString::FromUtf8(host);
  request.serialNumber = CString::FromUtf8(kZd2Serial);
  request.waitMs = waitMs;
  return request;
}

TEST_F(DeviceThreadTest, ReconnectionFindsTheZd2ThatComesBackWithItsSerialNumber) {
  const Device::SSearchRequest request = Reconnection("127.0.0.75", 60000);
  ASSERT_TRUE(Device::AddSearchJob(&m_callback, &request));
  ASSERT_TRUE(
      m_callback.WaitForLine("status: Search ZD-2 device on Ethernet 127.0.0.75...\r\ncould not open port."));

  StartZd2AtAddress("127.0.0.75");
  ASSERT_TRUE(m_callback.WaitForLineStartingWith("found: "));
  EXPECT_EQ(m_callback.Lines("found: "), (Lines{"found: ZD-2 VN02-123-4567 IP:127.0.0.75:3728"}));
  EXPECT_GE(m_callback.Lines(kAwait).size(), 2u);
  EXPECT_TRUE(m_callback.Lines("end").empty());
  const Lines lines = m_callback.Lines();
  EXPECT_NE(
      std::find(lines.begin(), lines.end(),
                "status: Search ZD-2 device on Ethernet 127.0.0.75...\r\n ZD-2   Serial: VN02-123-4567"),
      lines.end());
}

TEST_F(DeviceThreadTest, SerialReconnectionFindsTheZd2WhenItsPortAppears) {
  Device::SSearchRequest request = SerialRequest(73, false);
  request.serialNumber = CString::FromUtf8(kZd2Serial);
  request.waitMs = 60000;
  ASSERT_TRUE(Device::AddSearchJob(&m_callback, &request));
  ASSERT_TRUE(
      m_callback.WaitForLine("status: Search ZD-2 device on Serial COM73:...\r\ncould not open port."));

  StartZd2AtCom(73);
  ASSERT_TRUE(m_callback.WaitForLineStartingWith("found: "));
  EXPECT_EQ(m_callback.Lines("found: ").size(), 1u);
  EXPECT_TRUE(m_callback.Lines("end").empty());
}

TEST_F(DeviceThreadTest, ReconnectionPassesOverAnotherSerialNumberUntilTheWaitIsSpent) {
  StartZd2AtAddress("127.0.0.76", "ZD-2;2;VN02-999-0000;0C000102;1.6.2");
  const Device::SSearchRequest request = Reconnection("127.0.0.76", 3000);
  ASSERT_TRUE(Device::AddSearchJob(&m_callback, &request));
  ASSERT_TRUE(m_callback.WaitForLine("end"));

  EXPECT_EQ(Device::GetDeviceThreadExitCode(), STILL_ACTIVE);
  EXPECT_TRUE(m_callback.Lines("found: ").empty());
  // Polled again and again, not one pass after one long sleep.
  EXPECT_GE(m_callback.Lines(kAwait).size(), 2u);
  EXPECT_GE(
      m_callback
          .Lines("status: Search ZD-2 device on Ethernet 127.0.0.76...\r\nNo device of the required type "
                 "found.")
          .size(),
      2u);
}

TEST_F(DeviceThreadTest, AbortedReconnectionStillSendsItsEndNotice) {
  const Device::SSearchRequest request = Reconnection("127.0.0.77", 600000);
  ASSERT_TRUE(Device::AddSearchJob(&m_callback, &request));
  ASSERT_TRUE(m_callback.WaitForLineStartingWith("status: Search ZD-2 device on Ethernet 127.0.0.77..."));
  Device::AbortDeviceThread(8000);
  EXPECT_EQ(Device::GetDeviceThreadExitCode(), STILL_ACTIVE);
  EXPECT_EQ(m_callback.Lines().back(), "end");
}

}  // namespace
