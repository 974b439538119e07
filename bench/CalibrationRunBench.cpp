// One verification cycle of a 6 kN ZD-2 (warm-up, ten steps of 600 N, homing) in the
// calibration dialog against the simulated ZD-2 on a pseudo-terminal opened as a COM port,
// streaming 200 live frames per second of the clock, at time scales 5 and 50.
//
// Counters: scaled_s, the procedure's length from Start to its verdict in the clock's seconds;
// averaged_ratio, the loads averaged at the steps over the frames the simulator sent while the
// averaging windows were open (goal at time scale 50: 0.95 or more, the user-interface thread
// handles every sample it is sent). After the run the program prints pace_ratio, the scaled
// length at 50 over that at 5 (goal: 1.10 or less, the procedure keeps pace with its clock).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>

#include "appbase/Registry.h"
#include "bench/PrivateSettingsMain.h"
#include "calibration/TestStepDlg.h"
#include "calibration/VexalonDoc.h"
#include "device/DeviceThread.h"
#include "device/streamio/StreamIO.h"
#include "platform/base/Clock.h"
#include "platform/ui/MessageTap.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/sim/Peer.h"
#include "tests/sim/PtyLink.h"
#include "tests/sim/zd2/Zd2Simulator.h"

namespace {

constexpr int kComNumber = 17;
constexpr int kFramesPerSecond = 200;
constexpr char kIdentity6kN[] = "ZD-2;2;VN01-123-4567;0C000102;1.6.3";

// The scaled length of the procedure by time scale, for the ratio printed at the end.
std::map<int, double> g_scaledSeconds;

void Click(CWnd& dialog, int id) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

template <class Condition>
bool PumpUntil(Condition condition) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(5);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    PumpMessages(5);
  }
  return true;
}

// Counts, on the user-interface thread, the loads each averaging window took and the frames
// the simulator sent while it was open. The tap sees each sample before the dialog does, so
// it finds a window's opening and closing one sample late at both ends.
class CWindowCounter {
 public:
  CWindowCounter(const CTestStepDlg& dialog, const Sim::CZd2Simulator& zd2) : m_dialog(dialog), m_zd2(zd2) {}

  void OnSample() {
    const bool collecting = m_dialog.GetAverager().IsCollecting();
    if (collecting && !m_collecting) m_openedAt = m_zd2.FramesSent();
    if (!collecting && m_collecting) {
      framesSent += m_zd2.FramesSent() - m_openedAt;
      averaged += int(m_dialog.GetAverager().GetLoads().size());
    }
    m_collecting = collecting;
  }

  int framesSent = 0;
  int averaged = 0;

 private:
  const CTestStepDlg& m_dialog;
  const Sim::CZd2Simulator& m_zd2;
  bool m_collecting = false;
  int m_openedAt = 0;
};

void BM_VerificationCycle(benchmark::State& state) {
  const double scale = double(state.range(0));
  SetTimeScale(scale);
  CUiApplication application;
  RegisterProgramResources(nullptr);
  StreamIO::InitStreamIO();
  Device::StartDeviceThread();
  CRegistry(kSettingsKey).WriteBool(u"ST_bPause", false);
  double scaledSeconds = 0;
  double ratio = 0;
  for (auto _ : state) {
    Sim::CZd2Simulator zd2;
    zd2.SetIdentity(kIdentity6kN);
    zd2.SetFrameRate(kFramesPerSecond);
    auto link = std::make_unique<Sim::CPtyLink>();
    if (!link->MapToComPort(kComNumber)) {
      state.SkipWithError("no pseudo-terminal");
      break;
    }
    Sim::CPeer peer(std::move(link));
    peer.Start([&zd2](Sim::CPeer& p) { zd2.Run(p); });
    CVexalonDoc doc;
    CScriptedAnswers answers;
    bool done = false;
    answers.AddModalDialogScript([&](CWnd& shown) {
      auto& dialog = static_cast<CTestStepDlg&>(shown);
      CString port;
      port.Format(u"%d", kComNumber);
      dialog.SetDlgItemText(IDC_TESTSTEP_PORT, port);
      dialog.SetDlgItemText(IDC_TESTSTEP_CYCLES, u"1");
      Click(dialog, IDC_TESTSTEP_CONNECT);
      if (!PumpUntil([&] { return dialog.GetDlgItem(IDC_TESTSTEP_START)->IsWindowEnabled() != FALSE; })) return;
      CWindowCounter counter(dialog, zd2);
      const MessageTap previous = SetMessageTap([&](CWnd& window, UINT message, WPARAM, LPARAM) {
        if (&window == &dialog && message == CTestStepDlg::kSampleMessage) counter.OnSample();
      });
      const auto start = std::chrono::steady_clock::now();
      Click(dialog, IDC_TESTSTEP_START);
      done = PumpUntil([&] { return dialog.GetState() == CTestStepDlg::eFinished; });
      const std::chrono::duration<double> real = std::chrono::steady_clock::now() - start;
      SetMessageTap(previous);
      scaledSeconds = real.count() * scale;
      ratio = counter.framesSent > 0 ? double(counter.averaged) / counter.framesSent : 0;
      Click(dialog, IDCANCEL);
    });
    CTestStepDlg(false, false, &doc, nullptr).DoModal();
    peer.Stop();
    if (!done) {
      state.SkipWithError("the verification did not reach its verdict");
      break;
    }
  }
  g_scaledSeconds[int(scale)] = scaledSeconds;
  state.counters["scaled_s"] = scaledSeconds;
  state.counters["averaged_ratio"] = ratio;
  Device::StopDeviceThread();
  StreamIO::ExitStreamIO();
}
BENCHMARK(BM_VerificationCycle)->Arg(5)->Arg(50)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  RunBenchmarksWithPrivateSettings(argc, argv, "calibration-run-bench");
  if (g_scaledSeconds[5] > 0 && g_scaledSeconds[50] > 0)
    std::printf("pace_ratio=%.3f\n", g_scaledSeconds[50] / g_scaledSeconds[5]);
  return 0;
}
