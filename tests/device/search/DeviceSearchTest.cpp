// Search jobs against the simulated ZD-2 over loopback sockets and pseudo-terminals.

#include <algorithm>

#include "tests/device/search/DeviceThreadFixture.h"

namespace {

using Lines = std::vector<std::string>;

bool Contains(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool AnyContains(const Lines& lines, const std::string& part) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

TEST_F(DeviceThreadTest, IpSearchFindsTheZd2AndHandsItOverAttached) {
  StartZd2AtAddress("127.0.0.60");
  const Device::SSearchRequest request = IpRequest("127.0.0.60");
  ASSERT_TRUE(Device::AddSearchJob(&m_callback, &request));
  ASSERT_TRUE(m_callback.WaitForLine("end"));
  EXPECT_EQ(m_callback.Lines(), (Lines{"status: Search ZD-2 device on Ethernet 127.0.0.60...",
                                       "status: \r\n ZD-2   Serial: VN02-123-4567",
                                       "found: ZD-2 VN02-123-4567 IP:127.0.0.60:3728", "end"}));
}

TEST_F(DeviceThreadTest, IpSearchReportsWhyNothingWasFound) {
  // Another instrument's signature: it answers, but not as a ZD-2.
  StartZd2AtAddress("127.0.0.61", "ZD-2;2;VN02-123-4567;0D000102;1.6.2");
  const struct {
    const char* host;
    const char* result;
  } cases[] = {
      {"127.0.0.61", "status: \r\nNo device of the required type found."},
      {"127.0.0.62", "status: \r\ncould not open port."},
      // No host: a search never serves the port itself.
      {"", "status: \r\ncould not open port."},
  };
  for (const auto& c : cases) {
    CRecordingCallback callback;
    const Device::SSearchRequest request = IpRequest(c.host);
    ASSERT_TRUE(Device::AddSearchJob(&callback, &request));
    ASSERT_TRUE(callback.WaitForLine("end")) << c.host;
    EXPECT_EQ(
        callback.Lines(),
        (Lines{"status: Search ZD-2 device on Ethernet " + std::string(c.host) + "...", c.result, "end"}));
  }
}

TEST_F(DeviceThreadTest, JobsThatCannotSearchSendOnlyTheEndNotice) {
  const struct {
    int type;
    int portKind;
  } cases[] = {
      {11, Device::ePortIp},                 // a type number without a device class
      {Device::eTypeNone, Device::ePortIp},  // the default type of a request
      {Device::eTypeVexalon, 3},             // not a port kind
      {Device::eTypeVexalon, Device::ePortNone},
  };
  for (const auto& c : cases) {
    CRecordingCallback callback;
    Device::SSearchRequest request = IpRequest("127.0.0.63");
    request.deviceType = c.type;
    request.portKind = c.portKind;
    ASSERT_TRUE(Device::AddSearchJob(&callback, &request));
    ASSERT_TRUE(callback.WaitForLine("end"));
    EXPECT_EQ(callback.Lines(), (Lines{"end"})) << c.type << " " << c.portKind;
  }
}

TEST_F(DeviceThreadTest, UsbSearchWithoutInstrumentsSendsItsSearchLineAndEnds) {
  Device::SSearchRequest request = IpRequest("");
  request.portKind = Device::ePortUsb;
  ASSERT_TRUE(Device::AddSearchJob(&m_callback, &request));
  ASSERT_TRUE(m_callback.WaitForLine("end"));
  EXPECT_EQ(m_callback.Lines(), (Lines{"status: Search ZD-2 device on USB...", "end"}));
}

TEST_F(DeviceThreadTest, AddSearchJobRefusesMissingArguments) {
  const Device::SSearchRequest request = IpRequest("127.0.0.63");
  EXPECT_FALSE(Device::AddSearchJob(nullptr, &request));
  EXPECT_FALSE(Device::AddSearchJob(&m_callback, nullptr));
}

TEST_F(DeviceThreadTest, SerialSearchOfOnePortFindsTheZd2ThereEvenWhenItIsTheSkipPort) {
  StartZd2AtCom(64);
  Device::SSearchRequest request = SerialRequest(64, false);
  request.portToSkip = 64;
  ASSERT_TRUE(Device::AddSearchJob(&m_callback, &request));
  ASSERT_TRUE(m_callback.WaitForLine("end"));
  const Lines lines = m_callback.Lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "status: Search ZD-2 device on Serial COM64:...");
  EXPECT_EQ(lines[1], "status: Search ZD-2 device on Serial COM64:...\r\n ZD-2   Serial: VN02-123-4567");
  EXPECT_EQ(lines[2].rfind("found: ZD-2 VN02-123-4567 ", 0), 0u) << lines[2];
  EXPECT_EQ(lines[3], "end");
}

TEST_F(DeviceThreadTest, SerialScanSkipsThePortToSkipAndFindsEveryZd2) {
  StartZd2AtCom(65, "ZD-2;2;VN02-000-0065;0C000102;1.6.2");
  StartZd2AtCom(66, "ZD-2;2;VN02-000-0066;0C000102;1.6.2");
  StartZd2AtCom(67, "ZD-2;2;VN02-000-0067;0C000102;1.6.2");
  Device::SSearchRequest request = SerialRequest(1, true);
  request.stopAtFirst = false;
  request.portToSkip = 66;
  ASSERT_TRUE(Device::AddSearchJob(&m_callback, &request));
  ASSERT_TRUE(m_callback.WaitForLine("end", 60000));
  const Lines found = m_callback.Lines("found: ");
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].rfind("found: ZD-2 VN02-000-0065 ", 0), 0u);
  EXPECT_EQ(found[1].rfind("found: ZD-2 VN02-000-0067 ", 0), 0u);
  const Lines lines = m_callback.Lines();
  EXPECT_FALSE(AnyContains(lines, "COM66:"));
  EXPECT_TRUE(
      Contains(lines, "status: Search ZD-2 device on Serial COM67:...\r\n ZD-2   Serial: VN02-000-0067"));
  EXPECT_EQ(lines.back(), "end");
}

TEST_F(DeviceThreadTest, SerialScanStopsAtTheFirstZd2WhenAsked) {
  StartZd2AtCom(68, "ZD-2;2;VN02-000-0068;0C000102;1.6.2");
  StartZd2AtCom(69, "ZD-2;2;VN02-000-0069;0C000102;1.6.2");
  Device::SSearchRequest request = SerialRequest(1, true);
  request.stopAtFirst = true;
  ASSERT_TRUE(Device::AddSearchJob(&m_callback, &request));
  ASSERT_TRUE(m_callback.WaitForLine("end", 60000));
  const Lines found = m_callback.Lines("found: ");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].rfind("found: ZD-2 VN02-000-0068 ", 0), 0u);
  EXPECT_FALSE(AnyContains(m_callback.Lines(), "COM69:"));
  EXPECT_EQ(m_callback.Lines().back(), "end");
}

}  // namespace
