#include "tests/calibration/LiveFixture.h"

#include <algorithm>
#include <chrono>

#include "calibration/MeasThread.h"
#include "device/DeviceTypes.h"
#include "device/streamio/IpStream.h"
#include "device/streamio/Rs232Stream.h"
#include "device/streamio/StreamIO.h"
#include "platform/base/Clock.h"
#include "platform/ui/SimulatedInput.h"
#include "tests/sim/ServedLink.h"
#include "tests/support/TestEnvironment.h"

namespace {

constexpr char kAddress[] = "127.0.0.61";
constexpr int kComNumber = 61;

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CLiveOwnerWnd, CWnd)
  .OnMessage(kReaderMessage, &CLiveOwnerWnd::OnReader)
END_MESSAGE_MAP()
// clang-format on

CLiveOwnerWnd::~CLiveOwnerWnd() { StopSampling(); }

bool CLiveOwnerWnd::Create() {
  return CWnd::Create(nullptr, u"owner", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0) != FALSE;
}

LRESULT CLiveOwnerWnd::OnReader(WPARAM code, LPARAM) {
  codes.push_back(int(code));
  if (samplingPeriodMs <= 0) return 0;
  if (code == CMeasThread::kTestStarted) {
    // What the reader stored of this test before the message came belongs to its first period.
    StopTimerAndLog();
    const std::string name = TestPath("test" + std::to_string(logs.size() + 1) + ".csv");
    if (!m_log.Open(samplingPeriodMs, CString::FromUtf8(name))) return 0;
    logs.push_back(name);
    m_ticker.Restart();
    CreateTimerQueueTimer(&m_timer, nullptr, &CLiveOwnerWnd::OnTick, this, 0, DWORD(samplingPeriodMs),
                          WT_EXECUTEINTIMERTHREAD);
    if (heldTests) heldTests->ReleaseHold();
  } else if (code == CMeasThread::kTestEnded) {
    StopSampling();
  }
  return 0;
}

void CLiveOwnerWnd::OnTick(void* self, bool) {
  auto* wnd = static_cast<CLiveOwnerWnd*>(self);
  // A test held at its peak: once the reader has decoded a frame of the peak, this tick takes
  // every frame of the ramp, and the test may end.
  SLiveSample latest;
  CMeasThread::Instance().GetLatestSample(latest);
  const int peak = wnd->heldTests ? wnd->heldTests->HeldPeak() : -1;
  const bool caughtUp = peak >= 0 && latest.driveState == 3 && latest.force >= peak;
  const SSamplingRow row = wnd->m_ticker.Tick(CMeasThread::Instance());
  wnd->m_log.WriteRow(row, wnd->m_ticker.GetTickCount());
  if (caughtUp) wnd->heldTests->ReleaseHold();
}

void CLiveOwnerWnd::StopTimerAndLog() {
  if (m_timer) DeleteTimerQueueTimer(nullptr, m_timer, INVALID_HANDLE_VALUE);
  m_timer = nullptr;
  m_log.Close();
}

void CLiveOwnerWnd::StopSampling() {
  StopTimerAndLog();
  CMeasThread::Instance().ClearSamples();
}

void LiveFixture::SetUp() {
  StreamIO::InitStreamIO();
  ASSERT_TRUE(owner.Create());
}

void LiveFixture::TearDown() {
  CMeasThread::Instance().Stop();
  owner.DestroyWindow();
  m_device.reset();
  if (m_peer) m_peer->Stop();
  StreamIO::ExitStreamIO();
}

void LiveFixture::Connect(Sim::CPeer::Session session) {
  Sim::SServedLink where;
  where.pty = GetParam() == ELiveLink::ePseudoTerminal;
  where.com = kComNumber;
  if (!where.pty) where.tcp = std::string(kAddress) + ":0";
  auto link = Sim::OpenServedLink(where);
  ASSERT_TRUE(link);
  m_peer = std::make_unique<Sim::CPeer>(std::move(link));
  if (!session) session = [this](Sim::CPeer& peer) { m_zd2.Run(peer); };
  m_peer->Start(session);
  m_device = std::make_unique<Device::CVexalonDevice>();
  std::unique_ptr<StreamIO::CIoStream> stream;
  int kind = Device::ePortSerial;
  if (GetParam() == ELiveLink::eSocket) {
    stream = std::make_unique<StreamIO::CIpStream>(CString::FromUtf8(m_peer->ClientName()),
                                                   StreamIO::OPEN_READ | StreamIO::OPEN_WRITE);
    kind = Device::ePortIp;
  } else {
    stream = std::make_unique<StreamIO::CRs232Stream>(kComNumber, StreamIO::OPEN_READ | StreamIO::OPEN_WRITE,
                                                      m_device->GetSerialSettings());
  }
  ASSERT_TRUE(m_device->Attach(stream, kind));
}

bool LiveFixture::WaitForCode(int code, int count) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (std::chrono::steady_clock::now() < end) {
    if (std::count(owner.codes.begin(), owner.codes.end(), code) >= count) return true;
    PumpMessages(10);
  }
  return false;
}
