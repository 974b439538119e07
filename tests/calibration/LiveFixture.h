#pragma once
// A ZD-2 device object attached to the simulated ZD-2 over a loopback socket or a
// pseudo-terminal, and a window that receives the Live View reader's messages and runs the
// sampling of each test as Live View does: at a test start a CSV log and a sampling timer, at
// the test's end the timer deleted (waiting for a running tick) and the log closed. Time runs
// five times faster: the reader takes two seconds of silence for a lost connection, and a
// loaded machine may keep a thread from running for a good part of the 400 ms that leaves.
// Given the simulator, the window lets an operator's held test go on once its sampling runs,
// and on from its peak once a tick has taken every frame of its ramp.

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "calibration/LiveLog.h"
#include "calibration/SamplingTicker.h"
#include "device/VexalonDevice.h"
#include "platform/kernel/TimerQueue.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"
#include "tests/sim/Peer.h"
#include "tests/sim/zd2/Zd2Simulator.h"
#include "tests/support/TimeScaleOverride.h"

enum class ELiveLink { eSocket, ePseudoTerminal };

constexpr UINT kReaderMessage = WM_USER + 901;

class CLiveOwnerWnd : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  ~CLiveOwnerWnd() override;
  bool Create();
  // Codes received, in order.
  std::vector<int> codes;
  // Logs written, one per test, when a sampling period is set.
  std::vector<std::string> logs;
  int samplingPeriodMs = 0;
  Sim::CZd2Simulator* heldTests = nullptr;

 private:
  LRESULT OnReader(WPARAM code, LPARAM);
  static void OnTick(void* self, bool);
  void StopTimerAndLog();
  void StopSampling();

  CSampleTicker m_ticker;
  CLiveLog m_log;
  HTIMERQUEUETIMER m_timer = nullptr;
};

class LiveFixture : public ::testing::TestWithParam<ELiveLink> {
 protected:
  CTimeScaleOverride timeScale{5};
  CUiApplication application;
  CLiveOwnerWnd owner;

  void SetUp() override;
  void TearDown() override;
  // Starts the simulated ZD-2 (or the session given) and attaches the device to it.
  void Connect(Sim::CPeer::Session session = {});
  // Pumps messages until the codes include `code` at least `count` times, for at most a minute
  // of real time.
  bool WaitForCode(int code, int count = 1);

  Sim::CZd2Simulator m_zd2;
  std::unique_ptr<Sim::CPeer> m_peer;
  std::unique_ptr<Device::CVexalonDevice> m_device;
};

#define LIVE_ON_BOTH_LINKS(Suite)                                                                           \
  INSTANTIATE_TEST_SUITE_P(Links, Suite, ::testing::Values(ELiveLink::eSocket, ELiveLink::ePseudoTerminal), \
                           [](const ::testing::TestParamInfo<ELiveLink>& info) {                            \
                             return info.param == ELiveLink::eSocket ? "Socket" : "PseudoTerminal";         \
                           })
