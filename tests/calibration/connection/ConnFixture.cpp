#include "tests/calibration/connection/ConnFixture.h"

#include <chrono>
#include <string>
#include <thread>

#include "device/DeviceThread.h"
#include "device/DeviceTypes.h"
#include "device/streamio/StreamIO.h"
#include "platform/ui/SimulatedInput.h"
#include "tests/sim/ServedLink.h"

namespace {

constexpr int kComNumber = 12;

// The search always asks port 3728, so each test serves on an address of its own: 127.0.91.x,
// x from the test's name, since the tests of this program may run at the same time.
std::string TestAddress() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string name = std::string(test->test_suite_name()) + "." + test->name();
  unsigned hash = 2166136261u;
  for (char ch : name) hash = (hash ^ unsigned(char(ch))) * 16777619u;
  return "127.0.91." + std::to_string(1 + hash % 250);
}

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CConnOwnerWnd, CWnd)
  .OnMessage(kConnectMessage, &CConnOwnerWnd::OnConnect)
  .OnMessage(kSampleMessage, &CConnOwnerWnd::OnSample)
  .OnMessage(CConnBase::kErrorMessage, &CConnOwnerWnd::OnError)
END_MESSAGE_MAP()
// clang-format on

bool CConnOwnerWnd::Create() {
  return CWnd::Create(nullptr, u"owner", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0) != FALSE;
}

LRESULT CConnOwnerWnd::OnConnect(WPARAM connected, LPARAM) {
  connectResults.push_back(int(connected));
  return 0;
}

LRESULT CConnOwnerWnd::OnSample(WPARAM sample, LPARAM) {
  std::unique_ptr<SLiveSample> received(reinterpret_cast<SLiveSample*>(sample));
  samples.push_back(*received);
  return 0;
}

LRESULT CConnOwnerWnd::OnError(WPARAM, LPARAM) {
  ++errorNotices;
  return 0;
}

void LiveConnection::SetUp() {
  StreamIO::InitStreamIO();
  ASSERT_TRUE(Device::StartDeviceThread());
  ASSERT_TRUE(owner.Create());
  document.Reset();
  zd2.SetIdentity(kAcceptedIdentity);
}

void LiveConnection::TearDown() {
  connection.reset();
  Device::StopDeviceThread();
  owner.DestroyWindow();
  if (m_peer) m_peer->Stop();
  StreamIO::ExitStreamIO();
}

void LiveConnection::StartSimulator() {
  Sim::SServedLink where;
  where.pty = GetParam() == EConnLink::ePseudoTerminal;
  where.com = kComNumber;
  if (!where.pty) where.tcp = TestAddress() + ":3728";
  auto link = Sim::OpenServedLink(where);
  ASSERT_TRUE(link);
  m_peer = std::make_unique<Sim::CPeer>(std::move(link));
  m_peer->Start([this](Sim::CPeer& peer) { zd2.Run(peer); });
}

bool LiveConnection::Connect(UINT dataMessage, bool autoStart) {
  if (!m_peer) StartSimulator();
  return ConnectWith(LinkRequest(), dataMessage, autoStart);
}

Device::SSearchRequest LiveConnection::LinkRequest() const {
  Device::SSearchRequest request;
  request.deviceType = Device::eTypeVexalon;
  if (GetParam() == EConnLink::eSocket) {
    request.portKind = Device::ePortIp;
    request.ipHost = CString::FromUtf8(TestAddress());
  } else {
    request.portKind = Device::ePortSerial;
    request.portNumber = kComNumber;
  }
  return request;
}

bool LiveConnection::ConnectWith(const Device::SSearchRequest& request, UINT dataMessage, bool autoStart) {
  connection = std::make_unique<CConnVexa>(&owner, &document, dataMessage, autoStart, kConnectMessage);
  const size_t before = owner.connectResults.size();
  EXPECT_TRUE(connection->Connect(request));
  return PumpUntil([&] { return owner.connectResults.size() > before; });
}

int LiveConnection::CutTheLinkOnceReading(int frames) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  SLiveSample latest;
  while (!(connection->GetLatestSample(latest) && latest.sampleNumber > 0) &&
         std::chrono::steady_clock::now() < end)
    std::this_thread::yield();
  const int last = zd2.FramesSent() + frames;
  zd2.SetLiveCut(last);
  return last;
}

bool LiveConnection::PumpUntil(const std::function<bool()>& condition) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    PumpMessages(10);
  }
  return condition();
}
