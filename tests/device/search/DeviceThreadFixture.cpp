#include "tests/device/search/DeviceThreadFixture.h"

#include "device/streamio/StreamIO.h"
#include "platform/base/Clock.h"
#include "tests/sim/PtyLink.h"
#include "tests/sim/SocketLink.h"

void DeviceThreadTest::SetUp() {
  timeScale.Set(20);
  StreamIO::InitStreamIO();
  ASSERT_TRUE(Device::StartDeviceThread());
}

void DeviceThreadTest::TearDown() {
  Device::StopDeviceThread();
  for (auto& peer : m_peers) peer->Stop();
  StreamIO::ExitStreamIO();
}

Sim::CPeer& DeviceThreadTest::Start(std::unique_ptr<Sim::CLink> link, const std::string& identity) {
  Sim::CZd2Simulator& zd2 = m_zd2s.emplace_back();
  if (!identity.empty()) zd2.SetIdentity(identity);
  auto& peer = m_peers.emplace_back(std::make_unique<Sim::CPeer>(std::move(link)));
  peer->Start([&zd2](Sim::CPeer& p) { zd2.Run(p); });
  return *peer;
}

Sim::CPeer& DeviceThreadTest::StartZd2AtAddress(const std::string& address, const std::string& identity) {
  auto link = std::make_unique<Sim::CSocketLink>(address, 3728);
  EXPECT_TRUE(link->IsOpen()) << address;
  return Start(std::move(link), identity);
}

Sim::CPeer& DeviceThreadTest::StartZd2AtCom(int com, const std::string& identity) {
  auto link = std::make_unique<Sim::CPtyLink>();
  EXPECT_TRUE(link->MapToComPort(com));
  return Start(std::move(link), identity);
}

Device::SSearchRequest DeviceThreadTest::IpRequest(const std::string& host) {
  Device::SSearchRequest request;
  request.deviceType = Device::eTypeVexalon;
  request.portKind = Device::ePortIp;
  request.ipHost = CString::FromUtf8(host);
  return request;
}

Device::SSearchRequest DeviceThreadTest::SerialRequest(int port, bool scanAll) {
  Device::SSearchRequest request;
  request.deviceType = Device::eTypeVexalon;
  request.portKind = Device::ePortSerial;
  request.portNumber = port;
  request.scanAllPorts = scanAll;
  return request;
}
