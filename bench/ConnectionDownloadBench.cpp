// The program's download of all measurement data against the bare download it rests on: 255
// stored tests (61,200 bytes on the wire, the most the instrument's header can announce) from
// the simulated ZD-2 on a pseudo-terminal, throttled to 11,520 bytes per second, on the layer's
// clock at ten times real speed.
//
// BM_BareDownload attaches a ZD-2 device object and calls DownloadMeasurements alone.
// BM_ProgramDownload runs command 11 of the main frame with the connection holder's device:
// the identity check, the two queries, the download thread, the progress messages and the
// project document's refill with a view registered; the thread's fixed pause of 1000 ms after
// the transfer is taken off its time. Both report ms_per_download in the layer's time; the
// program path should stay within 1.10 times the bare one. max_ui_wait_ms is the longest a
// message posted to the frame waited for the user-interface thread during the program's
// download (goal: at most 16 ms).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/MainFrame.h"
#include "app/VexaZedoApp.h"
#include "connection/DevFoundPage.h"
#include "connection/DevSelectSheet.h"
#include "connection/VexalonConnection.h"
#include "device/Stopwatch.h"
#include "device/VexalonDevice.h"
#include "device/streamio/Rs232Stream.h"
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

constexpr int kRecords = 255;
constexpr int kRecordSize = 238;
constexpr int kLinkBytesPerSecond = 11520;
constexpr int kComNumber = 15;
constexpr double kTimeScale = 10;
constexpr double kDonePauseMs = 1000;
// A message of our own that a probe thread posts to the frame with its posting time.
constexpr UINT kProbeMessage = WM_APP + 0x3F0;
constexpr auto kProbeInterval = std::chrono::milliseconds(5);

std::vector<BYTE> Records() {
  std::vector<BYTE> records(size_t(kRecords) * kRecordSize);
  for (int i = 0; i < kRecords; ++i) {
    BYTE* record = records.data() + size_t(i) * kRecordSize;
    record[0] = BYTE(kRecordSize);
    for (int j = 2; j < kRecordSize; ++j) record[j] = BYTE(i * 7 + j);
  }
  return records;
}

struct SSimulatedZd2 {
  Sim::CZd2Simulator zd2;
  std::unique_ptr<Sim::CPeer> peer;

  bool Start() {
    zd2.SetRecords(Records());
    auto link = std::make_unique<Sim::CPtyLink>();
    if (!link->MapToComPort(kComNumber)) return false;
    peer = std::make_unique<Sim::CPeer>(std::move(link));
    peer->SetByteRate(kLinkBytesPerSecond);
    peer->Start([this](Sim::CPeer& p) { zd2.Run(p); });
    return true;
  }
  ~SSimulatedZd2() {
    if (peer) peer->Stop();
  }
};

void BM_BareDownload(benchmark::State& state) {
  SetTimeScale(kTimeScale);
  StreamIO::InitStreamIO();
  {
    SSimulatedZd2 simulated;
    auto device = std::make_unique<Device::CVexalonDevice>();
    std::unique_ptr<StreamIO::CIoStream> stream;
    if (simulated.Start())
      stream = std::make_unique<StreamIO::CRs232Stream>(
          kComNumber, StreamIO::OPEN_READ | StreamIO::OPEN_WRITE, device->GetSerialSettings());
    if (!stream || !device->Attach(stream, Device::ePortSerial)) {
      state.SkipWithError("the simulated ZD-2 could not be reached");
    } else {
      std::vector<BYTE> buffer(64 * 1024);
      double scaledMs = 0;
      for (auto _ : state) {
        int size = int(buffer.size());
        int count = 0;
        ULONGLONG start = 0, end = 0;
        QueryTimestamp(start);
        const int result = device->DownloadMeasurements(buffer.data(), size, count);
        QueryTimestamp(end);
        if (result != 0 || count != kRecords) {
          state.SkipWithError("the download failed");
          break;
        }
        scaledMs += double(GetElapsedMs(start, end));
      }
      state.counters["ms_per_download"] =
          scaledMs / double(std::max<benchmark::IterationCount>(1, state.iterations()));
    }
    device.reset();
  }
  StreamIO::ExitStreamIO();
}

// Posts probes to the frame while it lives and keeps the longest wait of a probe.
class CUiProbe {
 public:
  explicit CUiProbe(CMainFrame& frame) : m_frame(frame) {
    m_previousTap = SetMessageTap([this](CWnd& window, UINT message, WPARAM wParam, LPARAM) {
      if (&window != &m_frame || message != kProbeMessage) return;
      const auto waited = Now() - std::int64_t(wParam);
      m_longestUs = std::max<std::int64_t>(m_longestUs, waited);
    });
    m_thread = std::thread([this] {
      while (!m_stop) {
        m_frame.PostMessage(kProbeMessage, WPARAM(Now()), 0);
        std::this_thread::sleep_for(kProbeInterval);
      }
    });
  }
  ~CUiProbe() {
    m_stop = true;
    m_thread.join();
    SetMessageTap(std::move(m_previousTap));
  }
  void Reset() { m_longestUs = 0; }
  double LongestMs() const { return double(m_longestUs) / 1000.0; }

 private:
  static std::int64_t Now() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
  CMainFrame& m_frame;
  MessageTap m_previousTap;
  std::thread m_thread;
  std::atomic<bool> m_stop{false};
  std::int64_t m_longestUs = 0;
};

void ConnectThroughTheWizard(CScriptedAnswers& answers) {
  answers.AddModalDialogScript([](CWnd& dialog) {
    auto& sheet = dynamic_cast<CDevSelectSheet&>(dialog);
    PumpMessages();
    sheet.GetActivePage()->CheckDlgButton(IDC_WIZARD_SCAN, BST_UNCHECKED);
    sheet.GetActivePage()->SetDlgItemInt(IDC_WIZARD_COM_PORT, kComNumber, FALSE);
    sheet.PressButton(ID_WIZNEXT);
    PumpMessages();
    while (sheet.GetFoundPage().IsSearching()) PumpMessages(20);
    PumpMessages();
    if (!sheet.PressButton(ID_WIZFINISH)) sheet.PressButton(IDCANCEL);
  });
  TheConnection().Connect(false);
}

void BM_ProgramDownload(benchmark::State& state) {
  SetTimeScale(kTimeScale);
  CUiApplication ui;
  RegisterProgramResources(nullptr);
  CScriptedAnswers answers;
  SSimulatedZd2 simulated;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("zd-bench-prog-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  {
    CVexaZedoApp app(CString::FromUtf8((folder / "zd-zedo").string()));
    if (!simulated.Start() || !app.InitInstance()) {
      state.SkipWithError("the program or the simulated ZD-2 could not be started");
    } else {
      CMainFrame& frame = *app.GetMainFrame();
      ConnectThroughTheWizard(answers);
      if (!TheConnection().GetDevice()) state.SkipWithError("the wizard found no instrument");
      CUiProbe probe(frame);
      double scaledMs = 0;
      double longestWaitMs = 0;
      for (auto _ : state) {
        if (!TheConnection().GetDevice()) break;
        // The project of the run before is not saved.
        answers.AddMessageBoxAnswer(IDNO);
        probe.Reset();
        ULONGLONG start = 0, end = 0;
        QueryTimestamp(start);
        frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_DOWNLOAD_ALL, 0), 0);
        frame.WaitForDownload();
        QueryTimestamp(end);
        PumpMessages();
        if (frame.GetDocument().GetCount() != kRecords) {
          state.SkipWithError("the download failed");
          break;
        }
        scaledMs += double(GetElapsedMs(start, end)) - kDonePauseMs;
        longestWaitMs = std::max(longestWaitMs, probe.LongestMs());
      }
      state.counters["ms_per_download"] =
          scaledMs / double(std::max<benchmark::IterationCount>(1, state.iterations()));
      state.counters["max_ui_wait_ms"] = longestWaitMs;
    }
    app.ExitInstance();
  }
  std::filesystem::remove_all(folder);
}

BENCHMARK(BM_BareDownload)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProgramDownload)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // The pseudo-terminal's COM number and the program's settings go into a store of the
  // benchmark's own.
  const std::filesystem::path settings =
      std::filesystem::temp_directory_path() / ("zd-connection-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(settings);
  setenv("XDG_CONFIG_HOME", settings.c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(settings);
  return 0;
}
