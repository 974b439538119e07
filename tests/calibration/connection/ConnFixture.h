#pragma once
// The calibration's live connection to the simulated ZD-2 over a loopback socket (port 3728 of
// a 127.0.0.x address) or a pseudo-terminal mapped to a COM number, found by the device
// thread's search, with an owner window that records what the connection posts to it. Time
// runs ten times faster: the read thread takes five seconds of silence for a lost instrument.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "calibration/ConnVexa.h"
#include "calibration/VexalonDoc.h"
#include "device/SearchRequest.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"
#include "tests/sim/Peer.h"
#include "tests/sim/zd2/Zd2Simulator.h"
#include "tests/support/TimeScaleOverride.h"

enum class EConnLink { eSocket, ePseudoTerminal };

constexpr UINT kConnectMessage = WM_USER + 100;
constexpr UINT kSampleMessage = WM_USER + 108;
constexpr char kAcceptedIdentity[] = "ZD-2;2;VN02-123-4567;0C000102;1.6.3";

class CConnOwnerWnd : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  bool Create();
  // wParam of each connect message, in order.
  std::vector<int> connectResults;
  // The samples received, each deleted after its copy was taken.
  std::vector<SLiveSample> samples;
  int errorNotices = 0;

 private:
  LRESULT OnConnect(WPARAM connected, LPARAM);
  LRESULT OnSample(WPARAM sample, LPARAM);
  LRESULT OnError(WPARAM, LPARAM);
};

class LiveConnection : public ::testing::TestWithParam<EConnLink> {
 protected:
  CTimeScaleOverride timeScale{10};
  CUiApplication application;
  CScriptedAnswers answers;
  CConnOwnerWnd owner;
  CVexalonDoc document;
  Sim::CZd2Simulator zd2;
  std::unique_ptr<CConnVexa> connection;

  void SetUp() override;
  void TearDown() override;
  // Starts the simulated ZD-2 on the test's link.
  void StartSimulator();
  Sim::CPeer& Peer() { return *m_peer; }
  // A connection with the messages and auto-start given, connected through a search of the
  // test's link; false when its connect message did not come.
  bool Connect(UINT dataMessage, bool autoStart);
  // A search of the test's link.
  Device::SSearchRequest LinkRequest() const;
  bool ConnectWith(const Device::SSearchRequest& request, UINT dataMessage, bool autoStart);
  // Pumps messages until the condition holds, for at most a minute of real time.
  bool PumpUntil(const std::function<bool()>& condition);
  // Once the read thread has read a frame (a cut while it sets the instrument up would end it
  // with another error, however late a busy machine lets it get there), the simulator hangs up
  // after `frames` more frames; the number of the last frame sent. Takes no messages.
  int CutTheLinkOnceReading(int frames);

 private:
  std::unique_ptr<Sim::CPeer> m_peer;
};

#define CONN_ON_BOTH_LINKS(Suite)                                                                           \
  INSTANTIATE_TEST_SUITE_P(Links, Suite, ::testing::Values(EConnLink::eSocket, EConnLink::ePseudoTerminal), \
                           [](const ::testing::TestParamInfo<EConnLink>& info) {                            \
                             return info.param == EConnLink::eSocket ? "Socket" : "PseudoTerminal";         \
                           })
